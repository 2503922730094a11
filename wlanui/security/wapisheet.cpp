#include "wlanui/security/wapisheet.h"
#include "wlanui/security/wapisheet_p.h"

#include "wlanui/prompts/promptwidgets_p.h"
#include "wlanui/security/wapicertificatemodel.h"
#include "wlanui/security/wapipresharedkeytextedit.h"
#include "wlanui/security/wapipskpropertymapper.h"

#include "base/connectionlistitem.h"
#include "base/simpleframe.h"
#include "touch/combobox.h"

#include <QStringListModel>

namespace Velin {

namespace {

const int AsciiRow = 0;
const int HexRow = 1;
const int NoneRow = 0;

bool certificateChosen(const Touch::ComboBox* combo)
{
    return combo && combo->currentIndex() > NoneRow;
}

QByteArray chosenId(const WapiCertificateModel* model, const Touch::ComboBox* combo)
{
    if (!model || !combo)
        return QByteArray();
    return model->data(model->index(combo->currentIndex(), WapiCertificateModel::Id)).toByteArray();
}

Touch::ComboBox* createCertificateCombo(WapiCertificateModel* model, const char* titleId)
{
    auto combo = new Touch::ComboBox;
    combo->setStyleName(QStringLiteral("CommonComboBox"));
    combo->setItemModel(model);
    combo->setTitle(qtTrId(titleId));
    combo->setCurrentIndex(NoneRow);
    return combo;
}

} // namespace

WapiSheetPrivate::WapiSheetPrivate(WapiSheet* q, WapiSheet::Type type)
    : QObject(q)
    , q(q)
    , type(type)
{
}

WapiSheetPrivate::~WapiSheetPrivate()
{
    delete mapper;
}

void WapiSheetPrivate::rootCertificateSelectionChanged(int row)
{
    if (!rootModel || !userModel || !rootCombo || !userCombo)
        return;
    if (rootCombo->currentIndex() == NoneRow)
        q->setAcceptEnabled(false);
    userCombo->setCurrentIndex(NoneRow);
    // The none row has no Id: the empty identifier leaves the user list empty.
    userModel->setUserCertificateFilter(
        rootModel->data(rootModel->index(row, WapiCertificateModel::Id)).toByteArray());
    // The user rows were refilled.
    userCombo->setCurrentIndex(NoneRow);
}

void WapiSheetPrivate::userCertificateSelectionChanged(int row)
{
    Q_UNUSED(row)
    // Also refused when a combo box lost its row (index -1).
    q->setAcceptEnabled(certificateChosen(rootCombo) && certificateChosen(userCombo));
}

void WapiSheetPrivate::wapiKeyTypeChanged(int modelIndex)
{
    if (!keyEdit)
        return;
    // A key typed for one format need not obey the other.
    keyEdit->clear();
    if (modelIndex == HexRow)
        keyEdit->setHexMode();
    else
        keyEdit->setAsciiMode();
    keyEdit->setFocus(Qt::OtherFocusReason);
}

void WapiSheetPrivate::wapiPskChanged()
{
    q->setAcceptEnabled(keyEdit && !keyEdit->text().isEmpty());
}

WapiSheet::WapiSheet(const QString& ssid, Type type)
    : EasyWlanSheet(ssid)
    , d(new WapiSheetPrivate(this, type))
{
    setStyleName(QStringLiteral("Inverted"));
    EasyWlanSheet::createContent();
    setAcceptEnabled(false);
}

WapiSheet::~WapiSheet() = default;

WapiSheet::Type WapiSheet::sheetType() const
{
    return d->type;
}

QList<Touch::Widget*> WapiSheet::configurationWidgets()
{
    QList<Touch::Widget*> widgets;
    // WAPI shows the same security icon as WPA.
    widgets << PromptWidgets::createNetworkItem(ssid(), QStringLiteral("icon-s-wlan-wpa"));

    if (d->type == PreSharedKey) {
        auto keyTypes = new QStringListModel(
            QStringList() << qtTrId("qtn_conn_wapi_psk_ascii") << qtTrId("qtn_conn_wapi_psk_hex"), this);
        auto combo = new Touch::ComboBox;
        combo->setStyleName(QStringLiteral("CommonComboBox"));
        combo->setItemModel(keyTypes);
        combo->setCurrentIndex(AsciiRow);
        combo->setTitle(qtTrId("qtn_conn_wapi_psk_type"));
        // Connected after the first row is set: that is no user's choice.
        connect(combo, &Touch::ComboBox::currentIndexChanged, d, &WapiSheetPrivate::wapiKeyTypeChanged);
        d->keyTypeCombo = combo;

        auto frame = new SimpleFrame(qtTrId("qtn_conn_wapi_psk"));
        auto edit = new WapiPresharedKeyTextEdit(frame);
        edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
        edit->setObjectName(QStringLiteral("WapiPskEdit"));
        connect(edit, &Touch::TextEdit::textChanged, d, &WapiSheetPrivate::wapiPskChanged);
        connect(edit, &Touch::TextEdit::returnPressed, this, &SimpleSheet::accept);
        frame->setContent(edit);
        d->keyEdit = edit;
        delete d->mapper;
        d->mapper = new WapiPskPropertyMapper(edit);

        widgets << combo << frame;
        return widgets;
    }

    auto rootModel = new WapiCertificateModel(this);
    rootModel->setFilter(WapiCertificateModel::RootCertificates);
    Touch::ComboBox* rootCombo = createCertificateCombo(rootModel, "qtn_conn_select_root_cert");
    connect(rootCombo, &Touch::ComboBox::currentIndexChanged, d, &WapiSheetPrivate::rootCertificateSelectionChanged);

    // Empty until a root is chosen: no root filter yet.
    auto userModel = new WapiCertificateModel(this);
    userModel->setFilter(WapiCertificateModel::UserCertificates);
    Touch::ComboBox* userCombo = createCertificateCombo(userModel, "qtn_conn_select_client_cert");
    connect(userCombo, &Touch::ComboBox::currentIndexChanged, d, &WapiSheetPrivate::userCertificateSelectionChanged);

    d->rootModel = rootModel;
    d->rootCombo = rootCombo;
    d->userModel = userModel;
    d->userCombo = userCombo;
    widgets << rootCombo << userCombo;
    return widgets;
}

void WapiSheet::done(bool accepted)
{
    if (accepted && d->type == PreSharedKey && (!d->keyEdit || d->keyEdit->text().isEmpty())) {
        if (d->keyEdit)
            d->keyEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    SimpleSheet::done(accepted);
}

QMap<QString, QVariant> WapiSheet::properties() const
{
    QMap<QString, QVariant> map;
    if (d->type == PreSharedKey) {
        map.insert(QStringLiteral("wapi_key_type"), d->keyTypeCombo ? d->keyTypeCombo->currentIndex() : AsciiRow);
        map.insert(QStringLiteral("EAP_wpa_preshared_key"), d->mapper ? d->mapper->value() : QVariant(QByteArray()));
        return map;
    }
    map.insert(QStringLiteral("WAPI_EC_CS_selected_ca_subject_common_name"), chosenId(d->rootModel, d->rootCombo));
    map.insert(QStringLiteral("WAPI_EC_CS_selected_client_subject_common_name"), chosenId(d->userModel, d->userCombo));
    return map;
}

} // namespace Velin
