#pragma once

#include "base/simplesheet.h"

#include <QPointer>

class InternetAccessPointEditorInterface;

namespace Velin {
class InternetAccessPoint;
}

// How the settings application shows the plug-in's editor: the main page as
// a sheet that saves on accept (after validation), the advanced pages in a
// sheet of their own, and Forget.
class EditorPage : public Velin::SimpleSheet
{
    Q_OBJECT

public:
    // Takes ownership of both.
    EditorPage(Velin::InternetAccessPoint* accessPoint, InternetAccessPointEditorInterface* editor,
               QGraphicsItem* parent = nullptr);
    ~EditorPage() override;

    // The advanced pages' sheet while it is open.
    Velin::SimpleSheet* advancedPage() const;

public Q_SLOTS:
    void done(bool accepted) override;

Q_SIGNALS:
    void saved(const QString& id);
    void forgotten(const QString& id);

private:
    void openAdvancedPage();

    Velin::InternetAccessPoint* m_accessPoint;
    InternetAccessPointEditorInterface* m_editor;
    QPointer<Velin::SimpleSheet> m_advanced;
};
