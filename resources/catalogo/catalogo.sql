-- Sample catalogue shipped with the program: real sizes of common industrial packaging.
-- Sides in mm (Larghezza = width, the shorter side; Lunghezza = length), weights in kg,
-- costs in euro. Loaded by the install step right after the tables are created.

-- Containers -------------------------------------------------------------------------
INSERT INTO Contenitori (Codice, Famiglia, Descrizione, Larghezza, Lunghezza, Altezza,
  "Larghezza Utile", "Lunghezza Utile", "Altezza Utile", "Portata Massima", "Peso Movimentabile",
  Tara, Costo, NeedPallet) VALUES
 ('CM1208A', 'CASSONE METALLICO', 'Cassone acciaio 1200x800 H 800',      800, 1200,  800,  740, 1140,  680, 1000, 1075,  75.0, 310.0, 0),
 ('CM1208B', 'CASSONE METALLICO', 'Cassone acciaio 1200x800 H 1000',     800, 1200, 1000,  740, 1140,  880, 1000, 1085,  85.0, 345.0, 0),
 ('CM1210A', 'CASSONE METALLICO', 'Cassone acciaio 1200x1000 H 970',    1000, 1200,  970,  940, 1140,  850, 1500, 1598,  98.0, 395.0, 0),
 ('CM1612A', 'CASSONE METALLICO', 'Cassone acciaio 1600x1200 H 1000',   1200, 1600, 1000, 1130, 1530,  870, 2000, 2145, 145.0, 560.0, 0),
 ('CM0806R', 'CASSONE METALLICO', 'Cestone ribaltabile 800x600 H 600',   600,  800,  600,  560,  760,  500,  500,  542,  42.0, 185.0, 0),
 ('CM1208G', 'CASSONE METALLICO', 'Cassone grigliato 1200x800 H 975',    800, 1200,  975,  760, 1160,  805, 1200, 1262,  62.5, 298.0, 0),
 ('CL0806',  'CASSA di LEGNO',    'Cassa legno 800x600 H 500',           600,  800,  500,  560,  760,  440,  300,  318,  18.0,  38.0, 1),
 ('CL1208',  'CASSA di LEGNO',    'Cassa legno 1200x800 H 600',          800, 1200,  600,  760, 1160,  560,  400,  425,  25.0,  56.0, 1),
 ('CL1208P', 'CASSA di LEGNO',    'Cassa legno su pattini 1200x800 H 800', 800, 1200, 800,  756, 1156,  640,  600,  642,  42.0,  79.0, 0),
 ('CL1210',  'CASSA di LEGNO',    'Cassa legno 1200x1000 H 800',        1000, 1200,  800,  956, 1156,  740,  600,  638,  38.0,  72.0, 1),
 ('CL2012',  'CASSA di LEGNO',    'Cassa export 2000x1200 H 1000',      1200, 2000, 1000, 1150, 1950,  830, 1500, 1590,  90.5, 165.0, 0),
 ('OD3215',  'CASSETTA ODETTE',   'Odette 300x200 H 147',                200,  300,  147,  162,  243,  129,   10,   11,   0.5,   3.2, 1),
 ('OD3217',  'CASSETTA ODETTE',   'Odette 300x200 H 174',                200,  300,  174,  162,  243,  156,   10,   11,   0.6,   3.5, 1),
 ('OD4315',  'CASSETTA ODETTE',   'Odette 400x300 H 147',                300,  400,  147,  265,  343,  129,   20,   21,   0.9,   4.6, 1),
 ('OD4317',  'CASSETTA ODETTE',   'Odette 400x300 H 174',                300,  400,  174,  264,  343,  156,   20,   21,   1.0,   5.1, 1),
 ('OD4328',  'CASSETTA ODETTE',   'Odette 400x300 H 280',                300,  400,  280,  264,  343,  262,   20,   21.5, 1.5,   6.9, 1),
 ('OD6415',  'CASSETTA ODETTE',   'Odette 600x400 H 147',                400,  600,  147,  364,  543,  129,   40,   42,   1.8,   7.4, 1),
 ('OD6428',  'CASSETTA ODETTE',   'Odette 600x400 H 280',                400,  600,  280,  364,  543,  260,   50,   52.5, 2.5,   9.8, 1),
 ('OD6442',  'CASSETTA ODETTE',   'Odette 600x400 H 420',                400,  600,  420,  364,  543,  400,   50,   53.5, 3.5,  13.5, 1),
 ('SC4320',  'SCATOLA di CARTONE', 'Scatola onda doppia 400x300 H 200',  300,  400,  200,  290,  390,  185,   15,   15.4, 0.4,   0.9, 1),
 ('SC6430',  'SCATOLA di CARTONE', 'Scatola onda doppia 600x400 H 300',  400,  600,  300,  390,  590,  285,   25,   25.8, 0.8,   1.6, 1),
 ('SC6440',  'SCATOLA di CARTONE', 'Scatola onda doppia 600x400 H 400',  400,  600,  400,  390,  590,  385,   25,   25.9, 0.9,   1.9, 1),
 ('SC8660',  'SCATOLA di CARTONE', 'Scatola onda tripla 800x600 H 600',  600,  800,  600,  585,  785,  575,   60,   62.5, 2.5,   5.8, 1),
 ('SC1208O', 'SCATOLA di CARTONE', 'Octabin 1200x800 H 1000',            800, 1200, 1000,  770, 1170,  950,  500,  512,  12.0,  24.0, 1),
 ('RT1208',  'CONTENITORE in RETE', 'Cesta in rete 1200x800 H 800',      800, 1200,  800,  760, 1160,  650, 1000, 1062,  62.0, 210.0, 0),
 ('RT1210',  'CONTENITORE in RETE', 'Cesta in rete 1200x1000 H 880',    1000, 1200,  880,  960, 1160,  730, 1000, 1070,  70.0, 235.0, 0),
 ('RT0806',  'CONTENITORE in RETE', 'Cesta in rete 800x600 H 600',       600,  800,  600,  560,  760,  480,  500,  538,  38.0, 140.0, 0),
 ('RT1208C', 'CONTENITORE in RETE', 'Cesta pieghevole 1200x800 H 970',   800, 1200,  970,  770, 1170,  800, 1200, 1268,  68.0, 260.0, 0);

-- Pallets ------------------------------------------------------------------------------
INSERT INTO Pallet (Codice, Famiglia, Descrizione, Larghezza, Lunghezza, Altezza, Suole, Vie,
  Sezione, "Portata Massima", Tara, Costo) VALUES
 ('EPAL',    'LEGNO',     'EUR 800x1200',                 800, 1200, 144, 3, 4, '100x22', 1500, 25.0, 12.5),
 ('ISO1012', 'LEGNO',     'ISO 1000x1200',               1000, 1200, 144, 3, 4, '100x22', 1500, 30.0, 15.0),
 ('EPAL6',   'LEGNO',     'Mezzo pallet EUR 800x600',     600,  800, 144, 3, 4, '100x22',  500, 10.0,  7.5),
 ('PP1208',  'PLASTICA',  'Pallet plastica 800x1200',     800, 1200, 150, 3, 4, '',       1250, 18.0, 45.0),
 ('PP1210',  'PLASTICA',  'Pallet plastica 1000x1200',   1000, 1200, 160, 3, 4, '',       1500, 22.0, 55.0),
 ('PP0806',  'PLASTICA',  'Mezzo pallet plastica 800x600', 600, 800, 150, 3, 4, '',        500,  8.5, 28.0),
 ('AL1208',  'ALLUMINIO', 'Pallet alluminio 800x1200',    800, 1200, 140, 3, 4, '',       1000, 15.0, 180.0),
 ('AL1210',  'ALLUMINIO', 'Pallet alluminio 1000x1200',  1000, 1200, 140, 3, 4, '',       1200, 18.0, 210.0),
 ('CP1208',  'CARTONE',   'Pallet cartone 800x1200',      800, 1200, 130, 3, 4, '',        500,  5.0,  9.0),
 ('CP0806',  'CARTONE',   'Mezzo pallet cartone 800x600', 600,  800, 130, 3, 4, '',        250,  2.5,  5.5);

-- Separator sheets -----------------------------------------------------------------------
-- Whole millimetres and grams: the main window reads them as whole numbers.
INSERT INTO Separatori (Codice, Descrizione, Materiale, Spessore, Grammatura, Costo, NOTE) VALUES
 ('OSE2',  'Onda E microonda',        'ONDA SEMPLICE',       2,  420, 0.42, 'Fogli per pezzi leggeri'),
 ('OSB3',  'Onda B',                  'ONDA SEMPLICE',       3,  500, 0.48, NULL),
 ('OSC4',  'Onda C',                  'ONDA SEMPLICE',       4,  560, 0.52, NULL),
 ('ODEB5', 'Onda doppia EB',          'ONDA DOPPIA',         5,  780, 0.74, NULL),
 ('ODBC7', 'Onda doppia BC',          'ONDA DOPPIA',         7,  900, 0.86, 'Per carichi pesanti'),
 ('ODAA8', 'Onda doppia AA rinforzata', 'ONDA DOPPIA',       8, 1100, 1.05, NULL),
 ('PA3',   'Alveolare PP 3 mm',       'PLASTICA ALVEOLARE',  3,  500, 1.65, 'Riutilizzabile'),
 ('PA4',   'Alveolare PP 4 mm',       'PLASTICA ALVEOLARE',  4,  650, 1.95, 'Riutilizzabile'),
 ('PA5',   'Alveolare PP 5 mm',       'PLASTICA ALVEOLARE',  5,  900, 2.40, 'Riutilizzabile, lavabile');

-- Vehicles (load space) ------------------------------------------------------------------
INSERT INTO Automezzi (Codice, Descrizione, Lunghezza, Larghezza, Altezza) VALUES
 ('SR136',  'Semirimorchio telonato 13,6 m',  13600, 2480, 2700),
 ('SRM136', 'Semirimorchio mega 13,6 m',      13600, 2480, 3000),
 ('CT20',   'Container 20 piedi',              5898, 2352, 2393),
 ('CT40',   'Container 40 piedi',             12032, 2352, 2393),
 ('CT40HC', 'Container 40 piedi High Cube',   12032, 2352, 2698),
 ('MOT72',  'Motrice 7,2 m',                   7200, 2450, 2600),
 ('FUR43',  'Furgone 4,3 m',                   4300, 1800, 1900);
