#include "wlanui/editor/wepkeyseditwidget.h"

#include "wlanui/model/wlanproperties.h"
#include "wlanui/prompts/wepkeytextedit.h"

#include "base/buttongroupcontainer.h"
#include "base/propertyeditormanager.h"
#include "touch/button.h"
#include "touch/label.h"
#include "touch/locale.h"

#include <QGraphicsLinearLayout>
#include <QPointer>

namespace Velin {

namespace {

// Fewer than five entries: the four default-key choices become buttons.
const int DefaultKeyButtonLimit = 5;
const int WepKeyCount = 4;

const char* const DefaultKeyButtonStyles[WepKeyCount] = {
    "CommonLeftSplitButton",
    "CommonHorizontalCenterSplitButton",
    "CommonHorizontalCenterSplitButton",
    "CommonRightSplitButton",
};

QGraphicsLinearLayout* bareLinearLayout(Qt::Orientation orientation, QGraphicsWidget* owner)
{
    auto layout = new QGraphicsLinearLayout(orientation, owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

Touch::Widget* styledWidget(const char* style)
{
    auto widget = new Touch::Widget;
    widget->setStyleName(QLatin1String(style));
    return widget;
}

} // namespace

class WepKeysEditWidgetPrivate
{
public:
    explicit WepKeysEditWidgetPrivate(PropertyEditorManager* manager) : manager(manager) {}

    QGraphicsWidget* createDefaultKeyEditor(const Touch::Locale& locale) const;

    QPointer<PropertyEditorManager> manager;
    bool built = false;
};

QGraphicsWidget* WepKeysEditWidgetPrivate::createDefaultKeyEditor(const Touch::Locale& locale) const
{
    QStringList labels;
    QList<QVariant> values;
    for (int n = 1; n <= WepKeyCount; ++n) {
        labels << locale.formatNumber(n);
        values << n;
    }
    // The limit is shared by every page of the manager, and another page may
    // have changed it since the constructor set it: set it again right here.
    manager->setButtonGroupLimit(DefaultKeyButtonLimit);
    QGraphicsWidget* editor = manager->createEditor(WLANProperties::WepDefaultKeyIndex, labels, values);

    if (auto group = qobject_cast<ButtonGroupContainer*>(editor)) {
        group->setFixedModeEnabled(true);
        group->setFixedModeOrientation(Qt::Horizontal);
        for (int index = 0; index < WepKeyCount; ++index) {
            if (Touch::Button* button = group->button(index))
                button->setStyleName(QLatin1String(DefaultKeyButtonStyles[index]));
        }
    }
    return editor;
}

WepKeysEditWidget::WepKeysEditWidget(PropertyEditorManager* manager, QGraphicsItem* parent)
    : SimpleFrame(qtTrId("qtn_conn_wep_keys"), parent)
    , d(new WepKeysEditWidgetPrivate(manager))
{
    if (manager)
        manager->setButtonGroupLimit(DefaultKeyButtonLimit);
    initWidget();
}

WepKeysEditWidget::~WepKeysEditWidget()
{
    delete d;
}

void WepKeysEditWidget::initWidget()
{
    if (d->built) {
        qWarning("WepKeysEditWidget: the page is already built");
        return;
    }
    d->built = true;
    if (!d->manager) {
        qWarning("WepKeysEditWidget: no property editor manager, the page stays empty");
        return;
    }

    auto content = new QGraphicsWidget;
    QGraphicsLinearLayout* contentLayout = bareLinearLayout(Qt::Vertical, content);
    const Touch::Locale locale;

    QGraphicsWidget* defaultKeyEditor = d->createDefaultKeyEditor(locale);

    // The header text sits at the trailing end of its panel.
    auto header = new Touch::Label(qtTrId("qtn_conn_default_wep_key"));
    header->setStyleName(QStringLiteral("CommonGroupHeader"));
    Touch::Widget* headerPanel = styledWidget("CommonGroupHeaderPanel");
    QGraphicsLinearLayout* headerLayout = bareLinearLayout(Qt::Horizontal, headerPanel);
    headerLayout->addStretch(1);
    headerLayout->addItem(header);

    auto group = new QGraphicsWidget;
    QGraphicsLinearLayout* groupLayout = bareLinearLayout(Qt::Vertical, group);
    groupLayout->addItem(headerPanel);
    if (defaultKeyEditor)
        groupLayout->addItem(defaultKeyEditor);
    contentLayout->addItem(group);

    const QString keys[WepKeyCount] = {WLANProperties::WepKey1, WLANProperties::WepKey2, WLANProperties::WepKey3,
                                       WLANProperties::WepKey4};
    for (int index = 0; index < WepKeyCount; ++index) {
        auto edit = new WepKeyTextEdit;
        d->manager->bindEditor(edit, keys[index], QVariant::String);
        edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
        edit->setObjectName(keys[index]);

        auto frame = new SimpleFrame(
            qtTrId("qtn_conn_wep_key_1_4").arg(locale.formatNumber(index + 1), 0, QLatin1Char(' ')));
        frame->setContent(edit);
        contentLayout->addItem(frame);
        contentLayout->addItem(styledWidget("CommonLargeSpacer"));
    }

    setContent(content);
}

} // namespace Velin
