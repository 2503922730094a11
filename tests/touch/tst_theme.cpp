#include "touchtesthelpers.h"

#include "touch/imagewidget.h"
#include "touch/label.h"
#include "touch/progressbar.h"
#include "touch/separator.h"
#include "touch/textedit.h"
#include "touch/theme.h"
#include "touch/widget.h"

#include <QPainter>
#include <cmath>
#include <QScopedPointer>

using Touch::Theme;

namespace {

qreal luminance(const QColor& c)
{
    auto channel = [](qreal v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

qreal contrast(const QColor& a, const QColor& b)
{
    const qreal la = luminance(a) + 0.05;
    const qreal lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

// Pixels of an image that differ clearly from the colour at its corner.
int inkPixels(const QImage& image)
{
    const QColor ground = image.pixelColor(0, 0);
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.lightness() - ground.lightness()) > 60 || qAbs(c.alpha() - ground.alpha()) > 100)
                ++ink;
        }
    }
    return ink;
}

int lightPixels(const QImage& image, const QRect& area, int threshold)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y).lightness() > threshold)
                ++n;
        }
    }
    return n;
}

} // namespace

class TstTheme : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void knownStylesAreReadable_data();
    void knownStylesAreReadable();
    void touchSizedRows_data();
    void touchSizedRows();
    void spacers_data();
    void spacers();
    void unknownStyleHasDefault();
    void invertedAncestry();
    void icons_data();
    void icons();
    void wlanStrengthFillsBars();
    void windowRendersOffscreen();
    void invertedSheetIsDarkWithLightText();
    void inversionFollowsReparenting();
    void labelHeightForWidth();
    void progressBarClamps_data();
    void progressBarClamps();
    void progressSpinnerAnimatesOnlyWhenShown();
    void separatorIsThin();
    void imageWidget();
};

static const char* const kTextStyles[] = {"CommonSingleTitle", "CommonTitle", "CommonSubText", "CommonBodyText",
                                          "CommonComboBox", "CommonSingleInputFieldLabeled", "CommonSingleButton",
                                          "CommonGroupHeader", "CommonLeftSplitButton",
                                          "CommonHorizontalCenterSplitButton", "CommonRightSplitButton"};

void TstTheme::knownStylesAreReadable_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("inverted");
    for (const char* name : kTextStyles) {
        QTest::newRow(qPrintable(QStringLiteral("%1 light").arg(name))) << QString::fromLatin1(name) << false;
        QTest::newRow(qPrintable(QStringLiteral("%1 inverted").arg(name))) << QString::fromLatin1(name) << true;
    }
}

void TstTheme::knownStylesAreReadable()
{
    QFETCH(QString, style);
    QFETCH(bool, inverted);

    QVERIFY(Theme::instance()->hasStyle(style));
    const Theme::Style s = Theme::instance()->style(style, inverted);
    // Text on its own background, or on the sheet's when the style has none.
    const QColor sheet = Theme::instance()->style(inverted ? QStringLiteral("Inverted") : QStringLiteral("CommonPanel"))
                             .background;
    const QColor ground = s.background.isValid() && s.background.alpha() == 255 ? s.background : sheet;
    QVERIFY2(contrast(s.foreground, ground) >= 4.5,
             qPrintable(QStringLiteral("contrast %1").arg(contrast(s.foreground, ground))));
    QVERIFY(s.font.pixelSize() >= 16);
}

void TstTheme::touchSizedRows_data()
{
    QTest::addColumn<QString>("style");
    for (const char* name : {"CommonSingleInputFieldLabeled", "CommonSingleButton", "CommonComboBox",
                             "CommonSingleTitle", "CommonRightSwitch"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TstTheme::touchSizedRows()
{
    QFETCH(QString, style);
    QVERIFY(Theme::instance()->style(style).minimumHeight >= 64);
    // And a widget of that style really is that tall in a 480 px column.
    Touch::Widget host;
    auto* policy = new Touch::LinearLayoutPolicy(new Touch::Layout(&host), Qt::Vertical);
    auto* row = new Touch::Widget;
    row->setStyleName(style);
    policy->addItem(row);
    host.resize(480, 800);
    TouchTest::settleLayouts();
    QVERIFY(row->size().height() >= 64);
}

void TstTheme::spacers_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<qreal>("height");
    QTest::newRow("spacer") << "CommonSpacer" << qreal(8);
    QTest::newRow("large spacer") << "CommonLargeSpacer" << qreal(24);
}

void TstTheme::spacers()
{
    QFETCH(QString, style);
    QFETCH(qreal, height);
    Touch::Widget spacer;
    spacer.setStyleName(style);
    QCOMPARE(spacer.styleName(), style);
    for (Qt::SizeHint which : {Qt::MinimumSize, Qt::PreferredSize, Qt::MaximumSize})
        QCOMPARE(spacer.effectiveSizeHint(which).height(), height);
}

void TstTheme::unknownStyleHasDefault()
{
    const Theme::Style s = Theme::instance()->style(QStringLiteral("NoSuchStyle"));
    QVERIFY(!Theme::instance()->hasStyle(QStringLiteral("NoSuchStyle")));
    QVERIFY(s.foreground.isValid());
    QVERIFY(s.font.pixelSize() > 0);
    QCOMPARE(s.fixedHeight, qreal(-1));
}

void TstTheme::invertedAncestry()
{
    Touch::Widget root;
    auto* middle = new QGraphicsWidget(&root);   // not a toolkit widget: looked through
    auto* leaf = new Touch::Label(QStringLiteral("x"), middle);
    QVERIFY(!Theme::isInverted(leaf));
    QSignalSpy styleChanged(&root, &Touch::Widget::styleNameChanged);
    root.setStyleName(QStringLiteral("Inverted"));
    QCOMPARE(styleChanged.count(), 1);
    QVERIFY(Theme::isInverted(leaf));
    QVERIFY(Theme::isInverted(&root));
    QVERIFY(!Theme::isInverted(nullptr));
    root.setStyleName(QString());
    QVERIFY(!Theme::isInverted(leaf));
}

void TstTheme::icons_data()
{
    QTest::addColumn<QString>("id");
    for (const char* id : {"icon-m-common-wlan", "icon-m-common-wlan-strength1", "icon-m-common-wlan-strength5",
                           "icon-s-wlan-wep", "icon-s-wlan-wpa", "icon-m-common-drilldown-arrow",
                           "icon-m-common-help", "icon-m-unheard-of"})
        QTest::newRow(id) << QString::fromLatin1(id);
}

void TstTheme::icons()
{
    QFETCH(QString, id);
    const QPixmap pm = Theme::instance()->pixmap(id, QSize(48, 48));
    QCOMPARE(pm.size(), QSize(48, 48));
    QImage image = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 40;
    QVERIFY2(opaque > 40, qPrintable(QString::number(opaque)));   // something is drawn
    QVERIFY(!Theme::instance()->icon(id).isNull());
}

void TstTheme::wlanStrengthFillsBars()
{
    // More strength, more solid ink.
    int last = -1;
    for (int n = 1; n <= 5; ++n) {
        QImage image = Theme::instance()->pixmap(QStringLiteral("icon-m-common-wlan-strength%1").arg(n), QSize(64, 64))
                           .toImage().convertToFormat(QImage::Format_ARGB32);
        int solid = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                solid += qAlpha(image.pixel(x, y)) > 200;
        QVERIFY2(solid > last, qPrintable(QStringLiteral("strength %1: %2 <= %3").arg(n).arg(solid).arg(last)));
        last = solid;
    }
}

void TstTheme::windowRendersOffscreen()
{
    Touch::ApplicationWindow window;
    window.show();
    auto* title = new Touch::Label(QStringLiteral("Available networks"));
    title->setStyleName(QStringLiteral("CommonSingleTitle"));
    TouchTest::appearSheet(&window, {title, new Touch::TextEdit(QStringLiteral("Home"))});
    const QImage image = window.grabImage();
    QCOMPARE(image.size(), window.viewport()->size());
    const QImage titleArea = image.copy(
        window.mapFromScene(title->sceneBoundingRect()).boundingRect().intersected(image.rect()));
    QVERIFY(inkPixels(titleArea) > 100);   // the title's letters are there
    QVERIFY(inkPixels(image) > inkPixels(titleArea));
}

void TstTheme::invertedSheetIsDarkWithLightText()
{
    Touch::ApplicationWindow window;
    window.show();
    auto* label = new Touch::Label(QStringLiteral("WWWWWWWW"));
    Touch::SceneWindow* sheet = TouchTest::appearSheet(&window, {label});
    const QRect labelArea =
        window.mapFromScene(label->sceneBoundingRect()).boundingRect().intersected(window.viewport()->rect());

    const QImage light = window.grabImage();
    QVERIFY(light.pixelColor(labelArea.right() - 2, labelArea.bottom() + 40).lightness() > 200);

    sheet->setStyleName(QStringLiteral("Inverted"));
    const QImage dark = window.grabImage();
    QVERIFY(dark.pixelColor(labelArea.right() - 2, labelArea.bottom() + 40).lightness() < 60);
    QVERIFY(lightPixels(dark, labelArea, 200) > 50);    // light letters on the dark sheet
    QVERIFY(lightPixels(light, labelArea, 200) > lightPixels(dark, labelArea, 200));
}

void TstTheme::inversionFollowsReparenting()
{
    Touch::Widget dark;
    dark.setStyleName(QStringLiteral("Inverted"));
    Touch::Label label(QStringLiteral("text"));
    label.resize(200, 60);
    auto render = [&label] {
        QImage image(200, 60, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        label.paint(&p, nullptr, nullptr);
        return image;
    };
    const QImage before = render();
    label.setParentItem(&dark);
    const QImage inside = render();
    QVERIFY(before != inside);   // the text changed colour
    label.setParentItem(nullptr);
    QCOMPARE(render(), before);
}

void TstTheme::labelHeightForWidth()
{
    Touch::Label label(QStringLiteral("A sentence long enough to need more than one line at a narrow width."));
    QCOMPARE(label.wordWrap(), false);
    const qreal single = label.effectiveSizeHint(Qt::PreferredSize).height();
    label.setWordWrap(true);
    QVERIFY(label.sizePolicy().hasHeightForWidth());
    const qreal narrow = label.effectiveSizeHint(Qt::PreferredSize, QSizeF(150, -1)).height();
    const qreal wide = label.effectiveSizeHint(Qt::PreferredSize, QSizeF(2000, -1)).height();
    QVERIFY(narrow > wide);
    QCOMPARE(wide, single);
    label.setAlignment(Qt::AlignRight);
    QCOMPARE(label.alignment(), Qt::AlignRight);
}

void TstTheme::progressBarClamps_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("inside") << 0 << 100 << 40 << 40;
    QTest::newRow("above") << 0 << 100 << 140 << 100;
    QTest::newRow("below") << 10 << 20 << 3 << 10;
    QTest::newRow("empty range") << 5 << 5 << 9 << 5;
}

void TstTheme::progressBarClamps()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(int, expected);
    Touch::ProgressBar bar;
    QCOMPARE(bar.viewType(), QStringLiteral("bar"));
    bar.setRange(minimum, maximum);
    QSignalSpy changed(&bar, &Touch::ProgressBar::valueChanged);
    bar.setValue(value);
    QCOMPARE(bar.value(), expected);
    QCOMPARE(bar.minimum(), minimum);
    QCOMPARE(bar.maximum(), maximum);
    QCOMPARE(changed.isEmpty() ? bar.value() : changed.last().first().toInt(), expected);
    // A narrower range pulls the value along.
    bar.setRange(minimum, minimum);
    QCOMPARE(bar.value(), minimum);
}

void TstTheme::progressSpinnerAnimatesOnlyWhenShown()
{
    Touch::ApplicationWindow window;
    auto* spinner = new Touch::ProgressBar(nullptr, QString::fromLatin1(Touch::ProgressBar::SpinnerType));
    spinner->setUnknownDuration(true);
    QVERIFY(!spinner->isAnimating());   // not on a scene yet
    Touch::SceneWindow* sheet = TouchTest::appearSheet(&window, {spinner});
    QVERIFY(spinner->isAnimating());
    spinner->hide();
    QVERIFY(!spinner->isAnimating());
    spinner->show();
    QVERIFY(spinner->isAnimating());
    spinner->setUnknownDuration(false);
    QVERIFY(!spinner->isAnimating());
    Q_UNUSED(sheet)
}

void TstTheme::separatorIsThin()
{
    Touch::Separator line;
    QCOMPARE(line.orientation(), Qt::Horizontal);
    const QSizeF h = line.effectiveSizeHint(Qt::PreferredSize);
    QVERIFY(h.height() >= 1 && h.height() <= 2);
    QCOMPARE(line.effectiveSizeHint(Qt::MaximumSize).height(), h.height());
    line.setOrientation(Qt::Vertical);
    const QSizeF v = line.effectiveSizeHint(Qt::PreferredSize);
    QVERIFY(v.width() >= 1 && v.width() <= 2);
}

void TstTheme::imageWidget()
{
    Touch::ImageWidget image(QStringLiteral("icon-s-wlan-wpa"));
    QCOMPARE(image.image(), QStringLiteral("icon-s-wlan-wpa"));
    image.setImageSize(QSize(24, 24));
    QCOMPARE(image.imageSize(), QSize(24, 24));
    QCOMPARE(image.pixmap().size(), QSize(24, 24));
    QVERIFY(image.effectiveSizeHint(Qt::PreferredSize).width() >= 24);
    QPixmap own(10, 10);
    own.fill(Qt::red);
    image.setPixmap(own);
    QCOMPARE(image.image(), QString());
    QCOMPARE(image.pixmap().toImage(), own.toImage());
}

QTEST_MAIN(TstTheme)
#include "tst_theme.moc"
