// The pictures of the program folder's Images/: present under the names the program asks
// for, of the right format and size, really drawn, and the traffic lights lit as they say.
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QSize>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

const QString kImagesDir = QStringLiteral(VELCARO_IMAGES_DIR);

// The overall colour of what is drawn, so that a picture under another's name shows.
enum class Tone { Any, Blue, Brown, Grey };

struct Expected {
    const char* name;
    const char* format; // as QImageReader names it
    std::vector<QSize> sizes;
    int minColours; // distinct colours in the first image
    Tone tone;
};

const std::vector<Expected> kPictures = {
    {"LOGO.jpg", "jpeg", {{320, 120}}, 200, Tone::Blue},
    {"CASSONE.JPG", "jpeg", {{200, 150}}, 200, Tone::Grey},
    {"CASSA di LEGNO.JPG", "jpeg", {{200, 150}}, 200, Tone::Brown},
    {"ODETTE.JPG", "jpeg", {{200, 150}}, 200, Tone::Blue},
    {"SCATOLA.JPG", "jpeg", {{200, 150}}, 200, Tone::Brown},
    {"CONTENITORE in RETE.JPG", "jpeg", {{200, 150}}, 200, Tone::Grey},
    {"PALLET LEGNO.JPG", "jpeg", {{200, 120}}, 200, Tone::Brown},
    {"PALLET PLASTICA.BMP", "bmp", {{200, 120}}, 100, Tone::Blue},
    {"PALLET ALLUMINIO.BMP", "bmp", {{200, 120}}, 100, Tone::Grey},
    {"PALLET CARTONE.BMP", "bmp", {{200, 120}}, 100, Tone::Brown},
    {"Dislocazione IMBALLO-PALLET.jpg", "jpeg", {{260, 180}}, 200, Tone::Brown},
    {"Dislocazione PALLET-MEZZO.jpg", "jpeg", {{260, 180}}, 200, Tone::Any},
    {"Dislocazione COLLI-MEZZO.jpg", "jpeg", {{260, 180}}, 200, Tone::Any},
    {"BOX.ICO", "ico", {{48, 48}, {32, 32}, {16, 16}}, 30, Tone::Brown},
    {"Traffic Light GREEN.ICO", "ico", {{48, 48}, {32, 32}, {16, 16}}, 30, Tone::Any},
    {"Traffic Light RED.ICO", "ico", {{48, 48}, {32, 32}, {16, 16}}, 30, Tone::Any},
    {"Traffic Light JELLOW.ICO", "ico", {{48, 48}, {32, 32}, {16, 16}}, 30, Tone::Any},
};

void PrintTo(const Expected& e, std::ostream* os) {
    *os << e.name;
}

QString PathOf(const char* name) {
    return QDir(kImagesDir).filePath(QString::fromUtf8(name));
}

std::vector<QImage> ReadAll(const QString& path, QByteArray* format) {
    QImageReader reader(path);
    *format = reader.format();
    std::vector<QImage> images;
    const int count = reader.imageCount() > 0 ? reader.imageCount() : 1;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        QImage image = reader.read();
        if (image.isNull())
            break;
        images.push_back(image.convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

// Share of pixels that are neither transparent nor near white.
double DrawnShare(const QImage& image) {
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128 && (c.red() < 235 || c.green() < 235 || c.blue() < 235))
                ++drawn;
        }
    return static_cast<double>(drawn) / (image.width() * image.height());
}

// Mean colour of the pixels that are drawn (neither transparent nor near white).
QColor DrawnMean(const QImage& image) {
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() <= 128 || (c.red() >= 235 && c.green() >= 235 && c.blue() >= 235))
                continue;
            r += c.red();
            g += c.green();
            b += c.blue();
            ++n;
        }
    if (n == 0)
        return QColor();
    return QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

bool HasTone(Tone tone, const QColor& c) {
    const int r = c.red(), g = c.green(), b = c.blue();
    switch (tone) {
    case Tone::Any:
        return true;
    case Tone::Blue:
        return b > r + 40 && b > g + 10;
    case Tone::Brown:
        return r > b + 50 && r > g + 15;
    case Tone::Grey:
        return std::abs(r - b) < 30 && std::abs(r - g) < 30 && std::abs(g - b) < 30;
    }
    return false;
}

class PictureTest : public ::testing::TestWithParam<Expected> {};

TEST_P(PictureTest, IsPresentReadableAndDrawn) {
    const Expected& e = GetParam();
    const QString path = PathOf(e.name);
    // The exact name on disk, case included.
    ASSERT_TRUE(QDir(kImagesDir).entryList(QDir::Files).contains(QString::fromUtf8(e.name)))
        << path.toStdString();

    QByteArray format;
    const std::vector<QImage> images = ReadAll(path, &format);
    EXPECT_EQ(format.toStdString(), e.format);
    ASSERT_EQ(images.size(), e.sizes.size());
    for (size_t i = 0; i < images.size(); ++i)
        EXPECT_EQ(images[i].size(), e.sizes[i]) << "image " << i;

    EXPECT_GE(DistinctColours(images.front()), e.minColours);
    const QColor mean = DrawnMean(images.front());
    EXPECT_TRUE(HasTone(e.tone, mean))
        << "mean colour " << mean.red() << "," << mean.green() << "," << mean.blue();
    for (const QImage& image : images) {
        const double share = DrawnShare(image);
        EXPECT_GT(share, 0.15) << image.width() << "x" << image.height();
    }
    if (std::string(e.format) != "ico") {
        // Pictures sit on white: the margins are light, the middle is not all white.
        const QColor corner = images.front().pixelColor(1, 1);
        EXPECT_GT(corner.lightness(), 200);
    } else {
        // Icons are cut out: the corners are transparent at every size.
        for (const QImage& image : images)
            EXPECT_LT(image.pixelColor(0, 0).alpha(), 32) << image.width();
    }
}

INSTANTIATE_TEST_SUITE_P(Images, PictureTest, ::testing::ValuesIn(kPictures),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             std::string n;
                             for (const char* c = info.param.name; *c; ++c)
                                 n += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return n;
                         });

// The lamps, top to bottom: red, yellow, green. Centres as fractions of the icon's side.
constexpr double kLampX = 0.5;
constexpr double kLampY[3] = {9.5 / 48, 24.0 / 48, 38.5 / 48};
constexpr double kLampRadius = 4.0 / 48;

enum Lamp { Red = 0, Yellow = 1, Green = 2 };

struct Light {
    const char* name;
    Lamp lit;
};

const std::vector<Light> kLights = {
    {"Traffic Light RED.ICO", Red},
    {"Traffic Light JELLOW.ICO", Yellow},
    {"Traffic Light GREEN.ICO", Green},
};

struct Mean {
    double r = 0, g = 0, b = 0;
    double Brightness() const { return std::max({r, g, b}); }
};

Mean LampColour(const QImage& image, Lamp lamp) {
    const double side = image.width();
    const double cx = kLampX * side, cy = kLampY[lamp] * side;
    const double radius = std::max(1.0, kLampRadius * side);
    Mean m;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (dx * dx + dy * dy > radius * radius)
                continue;
            const QColor c = image.pixelColor(x, y);
            m.r += c.red();
            m.g += c.green();
            m.b += c.blue();
            ++n;
        }
    if (n > 0) {
        m.r /= n;
        m.g /= n;
        m.b /= n;
    }
    return m;
}

bool LooksLike(Lamp lamp, const Mean& m) {
    switch (lamp) {
    case Red:
        return m.r > 170 && m.r - m.g > 80 && m.r - m.b > 80;
    case Yellow:
        return m.r > 170 && m.g > 130 && m.g - m.b > 80 && m.r - m.b > 80;
    case Green:
        return m.g > 140 && m.g - m.r > 60 && m.g - m.b > 20;
    }
    return false;
}

void PrintTo(const Light& l, std::ostream* os) {
    *os << l.name;
}

class TrafficLightTest : public ::testing::TestWithParam<Light> {};

TEST_P(TrafficLightTest, OnlyTheRightLampIsLit) {
    const Light& light = GetParam();
    QByteArray format;
    const std::vector<QImage> images = ReadAll(PathOf(light.name), &format);
    ASSERT_FALSE(images.empty());
    for (const QImage& image : images) {
        SCOPED_TRACE(image.width());
        const Mean lit = LampColour(image, light.lit);
        EXPECT_TRUE(LooksLike(light.lit, lit)) << lit.r << "," << lit.g << "," << lit.b;
        for (Lamp other : {Red, Yellow, Green}) {
            if (other == light.lit)
                continue;
            const Mean dark = LampColour(image, other);
            EXPECT_FALSE(LooksLike(other, dark)) << "lamp " << other;
            EXPECT_LT(dark.Brightness() + 60, lit.Brightness()) << "lamp " << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Images, TrafficLightTest, ::testing::ValuesIn(kLights),
                         [](const ::testing::TestParamInfo<Light>& info) {
                             return std::string(info.param.lit == Red      ? "Red"
                                                : info.param.lit == Yellow ? "Yellow"
                                                                           : "Green");
                         });

} // namespace
