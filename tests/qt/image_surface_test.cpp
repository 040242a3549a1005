// The text window drawn by Qt: a C++ text with a marked line, painted through the core into the
// front end's image surface.
#include <QtTest>

#include <memory>
#include <string>

#include "qt/platform/document_font.h"
#include "qt/textview/image_surface.h"
#include "qt_test_support.h"
#include "ui/colour.h"
#include "ui/fake_platform.h"
#include "view/text_window.h"

using namespace nelvix;

namespace {

using ImageHost = NullTextWindowHost;

/// Glyphs are smoothed into their background, so a blue glyph shows as pixels that are mostly
/// blue rather than as pure blue.
bool HasBluishPixel(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 150 && c.red() < 100 && c.green() < 100)
                return true;
        }
    return false;
}

} // namespace

class ImageSurfaceTest : public QObject {
    Q_OBJECT
private slots:
    void paintsKeywordsAndMarkedLine();
};

void ImageSurfaceTest::paintsKeywordsAndMarkedLine() {
    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    environment.format.documentType = nelvix::DocumentType::C; // C
    std::vector<std::string> noKeywords;
    std::vector<std::string> cKeywords{"int", "return"};
    ViewSettings settings;
    settings.keywords = {noKeywords, cKeywords, noKeywords};
    qt::ImageSurface surface(qt::DocumentFont());
    surface.Resize(480, 160);
    ImageHost host;
    auto document = CKespoDoc::Create(environment);
    CKespoEV window(*document, fake.platform, surface, host, settings);
    window.OnSize(480, 160);
    const std::string text = "int main() {\r\n    return 0; // done\r\n}\r\n";
    document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
    document->LineMarks().push_back(12); // the CR ending the first line: the second is marked
    window.OnPaint({0, 0, 480, 160});

    const int cell = surface.Metrics().averageWidth;
    const int row = window.RowHeight();
    const QImage& image = surface.Image();
    const QRect intCells(window.LeftMargin(), window.TopMargin(), 3 * cell, row);
    QVERIFY(test::SaveImage(image, QStringLiteral("text-window-c")));
    QVERIFY2(HasBluishPixel(image, intCells), "the C keyword colour");
    // The marked line's background runs past its text.
    const QPoint pastText(window.LeftMargin() + 30 * cell, window.TopMargin() + row + row / 2);
    QCOMPARE(image.pixelColor(pastText), qt::ToQColor(ui::StandardPaletteColor(11)));
    QVERIFY(fake.messageBox.shown.empty());
}

QTEST_MAIN(ImageSurfaceTest)
#include "image_surface_test.moc"
