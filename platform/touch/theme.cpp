#include "touch/theme.h"

#include "drawnicon_p.h"
#include "touch/widget.h"

#include <QGraphicsItem>
#include <QHash>
#include <QPainter>

namespace Touch {

namespace {

// Colours of the light and the dark ("Inverted") sheets.
struct Palette
{
    QColor window, panel, text, subText, frame, accent, field, fieldFrame, button, buttonFrame, divider;
};

const Palette& palette(bool inverted)
{
    static const Palette light{QColor(0xf3, 0xf4, 0xf6), QColor(0xff, 0xff, 0xff), QColor(0x1c, 0x1f, 0x23),
                               QColor(0x5f, 0x68, 0x72), QColor(0xb4, 0xba, 0xc0), QColor(0x1f, 0x72, 0xc9),
                               QColor(0xff, 0xff, 0xff), QColor(0x9a, 0xa2, 0xaa), QColor(0xe4, 0xe7, 0xea),
                               QColor(0xb4, 0xba, 0xc0), QColor(0xd2, 0xd6, 0xda)};
    static const Palette dark{QColor(0x12, 0x15, 0x18), QColor(0x1c, 0x21, 0x26), QColor(0xee, 0xf1, 0xf4),
                              QColor(0xa3, 0xad, 0xb7), QColor(0x4f, 0x58, 0x61), QColor(0x4d, 0xa3, 0xff),
                              QColor(0x23, 0x29, 0x2f), QColor(0x6c, 0x76, 0x80), QColor(0x2c, 0x33, 0x3a),
                              QColor(0x4f, 0x58, 0x61), QColor(0x3a, 0x42, 0x4a)};
    return inverted ? dark : light;
}

QFont font(int pixelSize, QFont::Weight weight = QFont::Normal)
{
    QFont f;
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    return f;
}

// Touch sizes at 480 px width: rows at least 64 px, body text 22 px.
ThemeStyle makeStyle(const QString& name, bool inverted)
{
    const Palette& pal = palette(inverted);
    ThemeStyle s;
    s.foreground = pal.text;
    s.secondary = pal.subText;
    s.accent = pal.accent;
    s.font = font(22);
    s.padding = QMarginsF(16, 8, 16, 8);

    const auto button = [&](Qt::Alignment align) {
        s.background = pal.button;
        s.frame = pal.buttonFrame;
        s.radius = 8;
        s.minimumHeight = 64;
        s.padding = QMarginsF(16, 8, 16, 8);
        s.alignment = align;
    };

    if (name == QLatin1String("Inverted")) {
        // Always dark, whatever is around it.
        const Palette& d = palette(true);
        s.background = d.window;
        s.foreground = d.text;
        s.secondary = d.subText;
        s.accent = d.accent;
        s.padding = QMarginsF();
    } else if (name == QLatin1String("SceneWindow")) {
        s.background = pal.window;
        s.padding = QMarginsF();
    } else if (name == QLatin1String("CommonPanel")) {
        s.background = pal.panel;
        s.padding = QMarginsF();
    } else if (name == QLatin1String("CommonSingleTitle")) {
        s.font = font(26, QFont::DemiBold);
        s.minimumHeight = 64;
        s.padding = QMarginsF(16, 12, 16, 12);
    } else if (name == QLatin1String("CommonTitle")) {
        s.font = font(24);
        s.padding = QMarginsF(16, 6, 16, 0);
    } else if (name == QLatin1String("CommonSubText")) {
        s.font = font(19);
        s.foreground = pal.subText;
        s.padding = QMarginsF(16, 0, 16, 6);
    } else if (name == QLatin1String("CommonBodyText") || name == QLatin1String("Label")) {
        s.padding = QMarginsF(16, 8, 16, 8);
    } else if (name == QLatin1String("CommonBodyTextInverted")) {
        s.foreground = palette(true).text;
        s.secondary = palette(true).subText;
    } else if (name == QLatin1String("CommonComboBox") || name == QLatin1String("ComboBox")) {
        s.minimumHeight = 80;
        s.padding = QMarginsF(16, 8, 16, 8);
        s.font = font(24);
    } else if (name == QLatin1String("CommonSpacer")) {
        s.fixedHeight = 8;
        s.padding = QMarginsF();
    } else if (name == QLatin1String("CommonLargeSpacer")) {
        s.fixedHeight = 24;
        s.padding = QMarginsF();
    } else if (name == QLatin1String("CommonItemDivider") || name == QLatin1String("Separator")) {
        s.fixedHeight = 1;
        s.foreground = pal.divider;
        s.padding = QMarginsF(16, 0, 16, 0);
    } else if (name == QLatin1String("CommonGroupHeaderDivider")) {
        s.fixedHeight = 2;
        s.foreground = pal.accent;
        s.padding = QMarginsF(16, 0, 16, 0);
    } else if (name == QLatin1String("CommonSingleInputFieldLabeled") || name == QLatin1String("TextEdit")) {
        s.background = pal.field;
        s.frame = pal.fieldFrame;
        s.radius = 6;
        s.minimumHeight = 64;
        s.padding = QMarginsF(12, 6, 12, 6);
    } else if (name == QLatin1String("CommonSingleButton") || name == QLatin1String("Button")) {
        button(Qt::AlignCenter);
    } else if (name == QLatin1String("CommonLeftSplitButton")
               || name == QLatin1String("CommonHorizontalCenterSplitButton")
               || name == QLatin1String("CommonRightSplitButton")) {
        button(Qt::AlignCenter);
        s.radius = name == QLatin1String("CommonHorizontalCenterSplitButton") ? 0 : 8;
    } else if (name == QLatin1String("CommonRightSwitch")) {
        s.minimumHeight = 64;
        s.padding = QMarginsF(8, 8, 16, 8);
        s.background = QColor();
        s.frame = pal.frame;
        s.alignment = Qt::AlignRight | Qt::AlignVCenter;
    } else if (name == QLatin1String("CommonGroupHeader")) {
        s.font = font(18, QFont::Bold);
        s.foreground = pal.accent;
        s.minimumHeight = 40;
        s.padding = QMarginsF(16, 10, 16, 4);
        s.alignment = Qt::AlignRight | Qt::AlignBottom;
    } else if (name == QLatin1String("CommonGroupHeaderPanel")) {
        s.minimumHeight = 40;
        s.padding = QMarginsF();
    } else if (name == QLatin1String("CommonProgressBar") || name == QLatin1String("ProgressBar")) {
        s.minimumHeight = 24;
        s.padding = QMarginsF(16, 8, 16, 8);
        s.background = pal.button;  // the groove
        s.frame = QColor();
        s.radius = 4;
    } else if (name == QLatin1String("ImageCellSecurity")) {
        s.minimumHeight = 32;
        s.padding = QMarginsF(4, 4, 4, 4);
        s.alignment = Qt::AlignCenter;
    } else if (name == QLatin1String("ImageWidget")) {
        s.padding = QMarginsF();
        s.alignment = Qt::AlignCenter;
    } else if (name == QLatin1String("IconButton")) {
        s.minimumHeight = 48;
        s.padding = QMarginsF(8, 8, 8, 8);
        s.radius = 24;
    } else if (name == QLatin1String("HelpButton")) {
        s.minimumHeight = 48;
        s.padding = QMarginsF(6, 6, 6, 6);
        s.radius = 24;
    } else if (name == QLatin1String("Dialog")) {
        // The dimmed window behind a dialog's card.
        s.background = QColor(0, 0, 0, 150);
        s.padding = QMarginsF();
    } else if (name == QLatin1String("DialogCard") || name == QLatin1String("ComboBoxPopupCard")) {
        s.background = pal.panel;
        s.frame = pal.frame;
        s.radius = 12;
        s.padding = QMarginsF(0, 8, 0, 8);
    } else if (name == QLatin1String("DialogTitle") || name == QLatin1String("ComboBoxPopupTitle")) {
        s.font = font(26, QFont::DemiBold);
        s.minimumHeight = 64;
        s.padding = QMarginsF(20, 12, 20, 8);
    } else if (name == QLatin1String("ComboBoxPopup")) {
        s.background = QColor(0, 0, 0, 150);
        s.padding = QMarginsF();
    } else if (name == QLatin1String("ComboBoxPopupRow")) {
        s.minimumHeight = 64;
        s.padding = QMarginsF(20, 8, 20, 8);
        s.alignment = Qt::AlignLeft | Qt::AlignVCenter;
    } else if (name == QLatin1String("Widget") || name.isEmpty()) {
        s.padding = QMarginsF();
    }
    return s;
}

const char* const kKnownStyles[] = {
    "Inverted", "CommonSingleTitle", "CommonTitle", "CommonSubText", "CommonBodyText",
    "CommonBodyTextInverted", "CommonComboBox", "CommonSpacer", "CommonLargeSpacer",
    "CommonItemDivider", "CommonSingleInputFieldLabeled", "CommonSingleButton",
    "CommonRightSwitch", "CommonGroupHeader", "CommonGroupHeaderPanel",
    "CommonGroupHeaderDivider", "CommonProgressBar", "CommonPanel", "CommonLeftSplitButton",
    "CommonHorizontalCenterSplitButton", "CommonRightSplitButton", "ImageCellSecurity"};

// Icon ids to freedesktop names; ids not listed fall back to the drawing.
QString freedesktopName(const QString& id)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("icon-m-common-wlan"), QStringLiteral("network-wireless")},
        {QStringLiteral("icon-m-common-wlan-strength0"), QStringLiteral("network-wireless-signal-none")},
        {QStringLiteral("icon-m-common-wlan-strength1"), QStringLiteral("network-wireless-signal-none")},
        {QStringLiteral("icon-m-common-wlan-strength2"), QStringLiteral("network-wireless-signal-weak")},
        {QStringLiteral("icon-m-common-wlan-strength3"), QStringLiteral("network-wireless-signal-ok")},
        {QStringLiteral("icon-m-common-wlan-strength4"), QStringLiteral("network-wireless-signal-good")},
        {QStringLiteral("icon-m-common-wlan-strength5"), QStringLiteral("network-wireless-signal-excellent")},
        {QStringLiteral("icon-s-wlan-wep"), QStringLiteral("network-wireless-encrypted")},
        {QStringLiteral("icon-s-wlan-wpa"), QStringLiteral("security-high")},
        {QStringLiteral("icon-m-common-drilldown-arrow"), QStringLiteral("go-next")},
        {QStringLiteral("icon-m-common-help"), QStringLiteral("help-contents")},
        {QStringLiteral("icon-m-common-done"), QStringLiteral("object-select")},
        {QStringLiteral("icon-m-common-close"), QStringLiteral("window-close")},
        {QStringLiteral("icon-m-common-error"), QStringLiteral("dialog-error")},
        {QStringLiteral("icon-m-common-information"), QStringLiteral("dialog-information")},
        {QStringLiteral("icon-m-common-search"), QStringLiteral("edit-find")},
        {QStringLiteral("icon-m-common-refresh"), QStringLiteral("view-refresh")},
    };
    return names.value(id);
}

} // namespace

class ThemePrivate
{
public:
    QHash<QString, ThemeStyle> styles[2];     // [inverted]
    QHash<QString, QIcon> icons;
    QHash<QString, QPixmap> pixmaps;          // "id@WxH"
};

Theme::Theme(QObject* parent)
    : QObject(parent)
    , d(new ThemePrivate)
{
}

Theme::~Theme()
{
    delete d;
}

Theme* Theme::instance()
{
    static Theme* theme = new Theme;  // lives for the process; holds no Qt-owned state
    return theme;
}

Theme::Style Theme::style(const QString& styleName, bool inverted) const
{
    QHash<QString, ThemeStyle>& cache = d->styles[inverted ? 1 : 0];
    auto it = cache.constFind(styleName);
    if (it != cache.constEnd())
        return *it;
    return *cache.insert(styleName, makeStyle(styleName, inverted));
}

bool Theme::hasStyle(const QString& styleName) const
{
    for (const char* known : kKnownStyles) {
        if (styleName == QLatin1String(known))
            return true;
    }
    return false;
}

bool Theme::isInverted(const QGraphicsItem* item)
{
    for (const QGraphicsItem* it = item; it; it = it->parentItem()) {
        if (!it->isWidget())
            continue;
        const Widget* w = qobject_cast<const Widget*>(static_cast<const QGraphicsWidget*>(it));
        if (w && w->styleName() == QLatin1String("Inverted"))
            return true;
    }
    return false;
}

QIcon Theme::icon(const QString& iconId) const
{
    auto it = d->icons.constFind(iconId);
    if (it != d->icons.constEnd())
        return *it;
    const QIcon drawn(new DrawnIconEngine(iconId));
    const QString name = freedesktopName(iconId);
    const QIcon icon = name.isEmpty() ? drawn : QIcon::fromTheme(name, drawn);
    d->icons.insert(iconId, icon);
    return icon;
}

QPixmap Theme::pixmap(const QString& iconId, const QSize& size) const
{
    if (size.isEmpty())
        return QPixmap();
    const QString key = iconId + QLatin1Char('@') + QString::number(size.width()) + QLatin1Char('x')
        + QString::number(size.height());
    auto it = d->pixmaps.constFind(key);
    if (it != d->pixmaps.constEnd())
        return *it;
    QPixmap pm = icon(iconId).pixmap(size);
    if (pm.size() != size) {
        // Theme icons may come smaller than asked: centre them on a full-size pixmap.
        QPixmap full(size);
        full.fill(Qt::transparent);
        QPainter p(&full);
        p.drawPixmap((size.width() - pm.width()) / 2, (size.height() - pm.height()) / 2, pm);
        p.end();
        pm = full;
    }
    d->pixmaps.insert(key, pm);
    return pm;
}

} // namespace Touch
