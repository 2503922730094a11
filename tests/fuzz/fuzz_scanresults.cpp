// The "scan_results" argument list, as both of its readers get it: the
// hidden-network search and the connection list.  The list is a count, then
// five arguments per network (SSID, BSSID, level, attributes, capability
// word); here it may have any length and any types.
//
// The search must report exactly one outcome: the capability word of the
// first network, among those the count announces and the list holds in
// full, whose SSID is the one searched for and whose capability word is an
// unsigned 32-bit number; an error when there is none.  The connection list
// may only show networks the list carries: a named SSID of at most 32 bytes.

#include "fuzzinput.h"

#include "wlanui/discovery/ssidscanningprocess.h"

#include "net/connectionmodel.h"
#include "net/scanresult.h"

#include <QDBusMessage>
#include <QMetaMethod>

#include <limits>

namespace {

const char signalInterface[] = "com.qorva.skylard.signal";
const char signalPath[] = "/com/qorva/skylard/signal";
const char resultsSignal[] = "scan_results";
const int entrySize = 5;

// The slot of obj's private companion (a child) with this signature.
QPair<QObject*, QMetaMethod> privateSlot(QObject* owner, const char* signature)
{
    for (QObject* child : owner->children()) {
        const int index = child->metaObject()->indexOfMethod(signature);
        if (index >= 0)
            return {child, child->metaObject()->method(index)};
    }
    FUZZ_CHECK(false, "the private companion has the slot");
    return {};
}

bool integral(const QVariant& value, bool* isUnsigned)
{
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
        *isUnsigned = false;
        return true;
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::ULong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        *isUnsigned = true;
        return true;
    default:
        return false;
    }
}

// The networks the count announces and the list holds in full.
int networksToRead(const QList<QVariant>& arguments)
{
    if (arguments.isEmpty())
        return 0;
    bool isUnsigned = false;
    if (!integral(arguments.first(), &isUnsigned))
        return 0;
    qlonglong count = 0;
    if (isUnsigned) {
        const qulonglong number = arguments.first().toULongLong();
        count = number > qulonglong(std::numeric_limits<int>::max()) ? -1 : qlonglong(number);
    } else {
        count = arguments.first().toLongLong();
        if (count > std::numeric_limits<int>::max())
            count = -1;
    }
    if (count <= 0)
        return 0;
    return int(qMin<qlonglong>(count, (arguments.size() - 1) / entrySize));
}

bool sameSsid(const QVariant& value, const QString& ssid)
{
    if (value.userType() == QMetaType::QString)
        return value.toString() == ssid;
    if (value.userType() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        return QString::fromLatin1(bytes.constData(), bytes.size()) == ssid;
    }
    return false;
}

QList<QVariant> arguments(Fuzz::Input& in, const QString& ssid)
{
    QList<QVariant> list;
    const int length = in.below(18);
    for (int i = 0; i < length; ++i) {
        const int field = (i - 1) % entrySize;
        const int form = in.below(4);
        if (form == 0) {
            list.append(in.variant());
        } else if (i == 0) {
            list.append(form == 1 ? QVariant(in.below(5)) : QVariant(uint(in.below(5))));
        } else if (field == 0) {
            // The SSID searched for, in either form, a part of it, or any.
            switch (form) {
            case 1:
                list.append(ssid);
                break;
            case 2:
                list.append(ssid.toLatin1());
                break;
            default:
                list.append(in.flag() ? QVariant(ssid.left(in.below(ssid.size() + 1)) + in.text(2))
                                      : QVariant(in.bytes(34)));
            }
        } else if (field == 1) {
            list.append(in.bytes(6));
        } else if (field == 2) {
            list.append(QVariant(int(int8_t(in.byte())) - 40));
        } else {
            list.append(QVariant(in.word32()));
        }
    }
    return list;
}

void checkSearch(QObject* privateObject, const QMetaMethod& slot, const QString& ssid,
                 const QList<QVariant>& list, bool rightSignal, int* found, uint* capabilities, int* errors)
{
    *found = 0;
    *errors = 0;
    const QString interface = QLatin1String(rightSignal ? signalInterface : "com.qorva.other.signal");
    slot.invoke(privateObject, Qt::DirectConnection, Q_ARG(QString, interface),
                Q_ARG(QString, QLatin1String(resultsSignal)), Q_ARG(QList<QVariant>, list));
    if (!rightSignal) {
        FUZZ_CHECK(*found == 0 && *errors == 0, "another interface's signal is no answer");
        return;
    }
    FUZZ_CHECK(*found + *errors == 1, "every answer ends the search once");

    const int networks = networksToRead(list);
    for (int i = 0; i < networks; ++i) {
        const int first = 1 + entrySize * i;
        if (!sameSsid(list.at(first), ssid))
            continue;
        const QVariant& word = list.at(first + 4);
        bool isUnsigned = false;
        if (!integral(word, &isUnsigned) || !isUnsigned || word.toULongLong() > std::numeric_limits<uint>::max())
            continue;
        FUZZ_CHECK(*found == 1, "a network with the SSID and a capability word is found");
        FUZZ_CHECK(*capabilities == uint(word.toULongLong()), "the first such network's word is reported");
        return;
    }
    FUZZ_CHECK(*errors == 1, "without such a network the search fails");
}

QList<QByteArray> shownIds(const Velin::ConnectionModel& model)
{
    QList<QByteArray> ids;
    for (int row = 0; row < model.rowCount(); ++row) {
        for (const Velin::ScanResult& result : model.connectionsAt(row))
            ids.append(result.id());
    }
    return ids;
}

// A list without a usable count is ignored: the rows stay as they were.
void checkConnections(Velin::ConnectionModel& model, QObject* privateObject, const QMetaMethod& slot,
                      const QList<QVariant>& list)
{
    static int accepted = 0;
    static const bool connected = (QObject::connect(&model, &Velin::ConnectionModel::scanStopped, [] { ++accepted; }),
                                   true);
    Q_UNUSED(connected)
    const int acceptedBefore = accepted;
    const QList<QByteArray> before = shownIds(model);

    QDBusMessage message = QDBusMessage::createSignal(QLatin1String(signalPath), QLatin1String(signalInterface),
                                                      QLatin1String(resultsSignal));
    message.setArguments(list);
    slot.invoke(privateObject, Qt::DirectConnection, Q_ARG(QDBusMessage, message));
    if (accepted == acceptedBefore) {
        FUZZ_CHECK(shownIds(model) == before, "an ignored list leaves the rows alone");
        return;
    }
    FUZZ_CHECK(accepted == acceptedBefore + 1, "a list is taken once");

    QList<QByteArray> carried;
    for (int first = 1; first + entrySize <= list.size(); first += entrySize) {
        if (list.at(first).userType() == QMetaType::QByteArray)
            carried.append(list.at(first).toByteArray());
    }
    int shown = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QList<Velin::ScanResult> results = model.connectionsAt(row);
        FUZZ_CHECK(!results.isEmpty(), "every row has a network");
        for (const Velin::ScanResult& result : results) {
            ++shown;
            const QByteArray id = result.id();
            FUZZ_CHECK(result.isFound(), "the found list shows found networks only");
            FUZZ_CHECK(!id.isEmpty() && id.size() <= 32 && !id.contains('\0'), "an SSID is 1 to 32 bytes");
            bool fromList = false;
            for (const QByteArray& bytes : qAsConst(carried))
                fromList = fromList || bytes.left(bytes.indexOf('\0') < 0 ? bytes.size() : bytes.indexOf('\0')) == id;
            FUZZ_CHECK(fromList, "every network shown is one the list carries");
            FUZZ_CHECK(result.signalStrength() >= 0 && result.signalStrength() <= 10, "strength within 0..10");
            FUZZ_CHECK(result.configuration().size() == 6, "every network has a full data list");
        }
    }
    FUZZ_CHECK(shown <= carried.size(), "no network is shown twice");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::application();
    static int found = 0;
    static int errors = 0;
    static uint capabilities = 0;
    // Searches for a plain SSID, one with a NUL inside and one beyond ASCII.
    static const QStringList ssids = {QStringLiteral("home"), QString::fromLatin1("a\0b", 3),
                                      QString::fromLatin1("caf\xe9")};
    static QList<Velin::SSIDScanningProcess*> searches;
    static QList<QPair<QObject*, QMetaMethod>> searchSlots;
    static Velin::ConnectionModel* model = nullptr;
    static QPair<QObject*, QMetaMethod> modelSlot;
    if (!model) {
        for (const QString& ssid : ssids) {
            auto* search = new Velin::SSIDScanningProcess;
            QObject::connect(search, &Velin::SSIDScanningProcess::found, [](uint word) {
                ++found;
                capabilities = word;
            });
            QObject::connect(search, &Velin::SSIDScanningProcess::error, [](const QString&) { ++errors; });
            // No bus here: the request fails, and the SSID stays the one
            // the search looks for.
            search->start(ssid);
            FUZZ_CHECK(search->ssid() == ssid, "the search keeps its SSID");
            searches.append(search);
            searchSlots.append(privateSlot(search, "signalReceived(QString,QString,QList<QVariant>)"));
        }
        model = new Velin::ConnectionModel;
        model->setFoundConnectionsMode();
        modelSlot = privateSlot(model, "onScanResults(QDBusMessage)");
    }

    Fuzz::Input in(data, size);
    const int which = in.below(ssids.size());
    const bool rightSignal = in.byte() != 0xFF;
    const QList<QVariant> list = arguments(in, ssids.at(which));

    checkSearch(searchSlots.at(which).first, searchSlots.at(which).second, ssids.at(which), list, rightSignal,
                &found, &capabilities, &errors);
    checkConnections(*model, modelSlot.first, modelSlot.second, list);
    return 0;
}
