// velcaro-render-images SRC_DIR OUT_DIR
//
// Draws the program's pictures from their SVG sources. SRC_DIR holds the SVG files and
// images.txt, one picture a line:
//
//     source.svg | Output Name.EXT | SIZES
//
// SIZES is WIDTHxHEIGHT for JPEG and BMP pictures, and a comma-separated list of square
// sizes (e.g. 48,32,16) for ICO icons. Blank lines and lines starting with '#' are skipped.
// The output format follows the extension, without regard to case: .jpg (quality 90 on a
// white background), .bmp (24 bits on a white background), .ico (32 bits with transparency,
// one image per size, in the order given, so a plain load gets the first).
//
// Qt's ICO writer stores a single image per file, so every size is written on its own and
// the single-image files are joined into one icon directory here.
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>
#include <QTextStream>
#include <QtEndian>

#include <cstdio>
#include <optional>
#include <vector>

namespace {

enum class Format { Jpeg, Bmp, Ico };

struct Picture {
    QString source;
    QString output;
    Format format = Format::Jpeg;
    std::vector<QSize> sizes;
    int line = 0;
};

void Fail(const QString& text) {
    std::fprintf(stderr, "velcaro-render-images: %s\n", qPrintable(text));
}

std::optional<Format> FormatOf(const QString& name) {
    const QString ext = name.section('.', -1).toLower();
    if (ext == "jpg" || ext == "jpeg")
        return Format::Jpeg;
    if (ext == "bmp")
        return Format::Bmp;
    if (ext == "ico")
        return Format::Ico;
    return std::nullopt;
}

std::optional<QSize> ParseSize(const QString& text) {
    const QStringList wh = text.trimmed().split('x');
    if (wh.size() != 2)
        return std::nullopt;
    bool okW = false, okH = false;
    const int w = wh[0].toInt(&okW), h = wh[1].toInt(&okH);
    if (!okW || !okH || w < 1 || h < 1 || w > 4096 || h > 4096)
        return std::nullopt;
    return QSize(w, h);
}

// Reads images.txt; returns nothing (and says why) when a line is malformed.
std::optional<std::vector<Picture>> ReadManifest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Fail(QString("cannot read %1").arg(path));
        return std::nullopt;
    }
    std::vector<Picture> pictures;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNo;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList parts = line.split('|');
        auto bad = [&](const QString& why) {
            Fail(QString("%1:%2: %3").arg(path).arg(lineNo).arg(why));
            return std::nullopt;
        };
        if (parts.size() != 3)
            return bad("expected 'source.svg | Output.EXT | SIZES'");
        Picture p;
        p.line = lineNo;
        p.source = parts[0].trimmed();
        p.output = parts[1].trimmed();
        const auto format = FormatOf(p.output);
        if (p.source.isEmpty() || p.output.isEmpty() || !format)
            return bad("missing source or unknown output format");
        p.format = *format;
        if (p.format == Format::Ico) {
            for (const QString& s : parts[2].split(',')) {
                bool ok = false;
                const int side = s.trimmed().toInt(&ok);
                if (!ok || side < 1 || side > 256)
                    return bad("icon sizes must be 1..256");
                p.sizes.emplace_back(side, side);
            }
        } else {
            const auto size = ParseSize(parts[2]);
            if (!size)
                return bad("size must be WIDTHxHEIGHT");
            p.sizes.push_back(*size);
        }
        pictures.push_back(p);
    }
    return pictures;
}

QImage Render(QSvgRenderer& svg, QSize size, bool opaque) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? Qt::white : Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return opaque ? image.convertToFormat(QImage::Format_RGB32)
                  : image.convertToFormat(QImage::Format_ARGB32);
}

bool WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        Fail(QString("cannot write %1").arg(path));
        return false;
    }
    return true;
}

std::optional<QByteArray> Encode(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image)) {
        Fail(QString("%1 encoder: %2").arg(format, writer.errorString()));
        return std::nullopt;
    }
    return bytes;
}

// An ICO file: 6-byte header (0, type 1, count), then one 16-byte entry per image whose
// last field is the offset of the image's data from the start of the file.
constexpr int kIcoHeader = 6;
constexpr int kIcoEntry = 16;

std::optional<QByteArray> JoinIcons(const std::vector<QByteArray>& singles) {
    QByteArray entries, data;
    const int count = static_cast<int>(singles.size());
    qsizetype offset = kIcoHeader + kIcoEntry * count;
    for (const QByteArray& one : singles) {
        if (one.size() < kIcoHeader + kIcoEntry ||
            qFromLittleEndian<quint16>(one.constData() + 4) != 1) {
            Fail("unexpected single-image icon layout");
            return std::nullopt;
        }
        QByteArray entry = one.mid(kIcoHeader, kIcoEntry);
        const quint32 length = qFromLittleEndian<quint32>(entry.constData() + 8);
        const quint32 start = qFromLittleEndian<quint32>(entry.constData() + 12);
        if (start > static_cast<quint32>(one.size()) ||
            length > static_cast<quint32>(one.size()) - start) {
            Fail("icon entry points outside its file");
            return std::nullopt;
        }
        qToLittleEndian<quint32>(static_cast<quint32>(offset), entry.data() + 12);
        entries += entry;
        data += one.mid(start, length);
        offset += length;
    }
    QByteArray file(kIcoHeader, '\0');
    qToLittleEndian<quint16>(0, file.data());
    qToLittleEndian<quint16>(1, file.data() + 2);
    qToLittleEndian<quint16>(static_cast<quint16>(count), file.data() + 4);
    return file + entries + data;
}

// Reads the written file back: every image there, of the size asked.
bool Verify(const QString& path, const Picture& p) {
    QImageReader reader(path);
    const int count = p.format == Format::Ico ? reader.imageCount() : 1;
    if (count != static_cast<int>(p.sizes.size())) {
        Fail(QString("%1: %2 images read back, %3 written")
                 .arg(path)
                 .arg(count)
                 .arg(p.sizes.size()));
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) {
            Fail(QString("%1: image %2 not reachable").arg(path).arg(i));
            return false;
        }
        const QImage back = reader.read();
        if (back.size() != p.sizes[static_cast<size_t>(i)]) {
            Fail(QString("%1: image %2 reads back as %3x%4 (%5)")
                     .arg(path)
                     .arg(i)
                     .arg(back.width())
                     .arg(back.height())
                     .arg(reader.errorString()));
            return false;
        }
    }
    return true;
}

bool Produce(const Picture& p, const QDir& src, const QDir& out) {
    const QString svgPath = src.filePath(p.source);
    QSvgRenderer svg(svgPath);
    if (!svg.isValid()) {
        Fail(QString("%1: not a valid SVG").arg(svgPath));
        return false;
    }
    svg.setAspectRatioMode(Qt::KeepAspectRatio);
    const QString target = out.filePath(p.output);
    std::optional<QByteArray> bytes;
    switch (p.format) {
    case Format::Jpeg:
        bytes = Encode(Render(svg, p.sizes.front(), true), "jpeg", 90);
        break;
    case Format::Bmp:
        bytes = Encode(Render(svg, p.sizes.front(), true).convertToFormat(QImage::Format_RGB888),
                       "bmp", -1);
        break;
    case Format::Ico: {
        std::vector<QByteArray> singles;
        for (QSize size : p.sizes) {
            auto one = Encode(Render(svg, size, false), "ico", -1);
            if (!one)
                return false;
            singles.push_back(*one);
        }
        bytes = JoinIcons(singles);
        break;
    }
    }
    return bytes && WriteWhole(target, *bytes) && Verify(target, p);
}

} // namespace

int main(int argc, char** argv) {
    // Fonts and painting need a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: velcaro-render-images CARTELLA_SVG CARTELLA_IMMAGINI\n");
        return 2;
    }
    const QDir src(args[1]);
    QDir out(args[2]);
    if (!out.mkpath(".")) {
        Fail(QString("cannot create %1").arg(args[2]));
        return 1;
    }
    const auto pictures = ReadManifest(src.filePath("images.txt"));
    if (!pictures)
        return 1;
    int failures = 0;
    for (const Picture& p : *pictures) {
        if (!Produce(p, src, out))
            ++failures;
    }
    if (failures > 0) {
        Fail(QString("%1 of %2 pictures not produced").arg(failures).arg(pictures->size()));
        return 1;
    }
    std::printf("%d pictures in %s\n", static_cast<int>(pictures->size()),
                qPrintable(out.absolutePath()));
    return 0;
}
