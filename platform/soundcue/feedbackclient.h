#pragma once

#include "soundcue/soundcueglobal.h"

#include <QObject>
#include <QString>

class FeedbackClientPrivate;

// Plays short feedback sounds by event name (freedesktop sound theme ids).
class SOUNDCUE_EXPORT FeedbackClient : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString lastEvent READ lastEvent)

public:
    explicit FeedbackClient(QObject* parent = nullptr);
    ~FeedbackClient() override;

    // False when the sound could not be played. A machine without sound
    // gets one warning per process, not one per event.
    bool playEvent(const QString& eventName);

    // The event of the last playEvent() call, played or not.
    QString lastEvent() const;

private:
    FeedbackClientPrivate* const d;
};
