#pragma once

#include "base/simplesheet.h"

class FrameworkHost;

namespace Touch {
class Label;
}

// The framework's connection list: status, the networks with the plug-in's
// icons, the fixed entries, and the saved networks that can be edited.
// Taps are handled after the click has returned, so that a rebuild of the
// list never deletes an item whose click is still being delivered.
class ConnectionListPage : public Velin::SimpleSheet
{
    Q_OBJECT

public:
    explicit ConnectionListPage(FrameworkHost* host, QGraphicsItem* parent = nullptr);

Q_SIGNALS:
    void editRequested(const QString& id);

private:
    void rebuild();
    void updateStatus();

    FrameworkHost* m_host;
    Touch::Label* m_status = nullptr;
    bool m_rebuildPending = false;
};
