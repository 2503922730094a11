#include "soundcue/feedbackclient.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QtDebug>

#include <canberra.h>

namespace {

// Set by the first failure in the process; later ones stay quiet.
QAtomicInt warned;

void warnOnce(const char* what, int error)
{
    if (warned.testAndSetOrdered(0, 1))
        qWarning("FeedbackClient: feedback sounds are unavailable (%s: %s); continuing without them", what,
                 ca_strerror(error));
}

} // namespace

class FeedbackClientPrivate
{
public:
    explicit FeedbackClientPrivate(FeedbackClient* client)
        : q(client)
    {
    }
    ~FeedbackClientPrivate()
    {
        if (context)
            ca_context_destroy(context);
    }

    // Opens the context on first use; false once it has failed.
    bool open();

    FeedbackClient* const q;
    ca_context* context = nullptr;
    bool unavailable = false;
    QString lastEvent;
};

bool FeedbackClientPrivate::open()
{
    if (context)
        return true;
    if (unavailable)
        return false;
    int result = ca_context_create(&context);
    if (result != CA_SUCCESS) {
        context = nullptr;
        unavailable = true;
        warnOnce("cannot create a sound context", result);
        return false;
    }
    const QByteArray application = QCoreApplication::applicationName().toUtf8();
    if (!application.isEmpty())
        ca_context_change_props(context, CA_PROP_APPLICATION_NAME, application.constData(), nullptr);
    result = ca_context_open(context);
    if (result != CA_SUCCESS) {
        ca_context_destroy(context);
        context = nullptr;
        unavailable = true;
        warnOnce("cannot open a sound device", result);
        return false;
    }
    return true;
}

FeedbackClient::FeedbackClient(QObject* parent)
    : QObject(parent)
    , d(new FeedbackClientPrivate(this))
{
}

FeedbackClient::~FeedbackClient()
{
    delete d;
}

bool FeedbackClient::playEvent(const QString& eventName)
{
    d->lastEvent = eventName;
    if (eventName.trimmed().isEmpty()) {
        qWarning("FeedbackClient: no event name given");
        return false;
    }
    if (!d->open())
        return false;
    const QByteArray id = eventName.toUtf8();
    const int result = ca_context_play(d->context, 0, CA_PROP_EVENT_ID, id.constData(), nullptr);
    if (result != CA_SUCCESS) {
        warnOnce("cannot play a feedback sound", result);
        return false;
    }
    return true;
}

QString FeedbackClient::lastEvent() const
{
    return d->lastEvent;
}
