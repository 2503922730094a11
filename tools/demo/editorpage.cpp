#include "editorpage.h"

#include "base/dialoghelperwidget.h"
#include "base/internetaccesspointeditorinterface.h"
#include "net/internetaccesspoint.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"

namespace {

// The advanced pages close on Done only when the editor finds them valid.
// Done keeps what they changed (the editor takes it over, so closing them
// restores nothing); Back leaves them without saving, and closing them then
// puts every value back.
class AdvancedEditorPage : public Velin::SimpleSheet
{
public:
    explicit AdvancedEditorPage(InternetAccessPointEditorInterface* editor) : m_editor(editor) {}

    void done(bool accepted) override
    {
        if (accepted) {
            if (m_editor->validateAdvancedSettings(false) != 0)
                return;
            m_editor->saveChanges();
        }
        Velin::SimpleSheet::done(accepted);
    }

private:
    InternetAccessPointEditorInterface* m_editor;
};

} // namespace

EditorPage::EditorPage(Velin::InternetAccessPoint* accessPoint, InternetAccessPointEditorInterface* editor,
                       QGraphicsItem* parent)
    : Velin::SimpleSheet(parent)
    , m_accessPoint(accessPoint)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("EditorPage"));
    setTitle(editor->editorTitle());
    setAcceptLabel(tr("Save"));
    setRejectLabel(tr("Cancel"));
    auto panel = new Touch::Widget;
    auto policy = new Touch::LinearLayoutPolicy(new Touch::Layout(panel), Qt::Vertical);
    if (QGraphicsWidget* widget = editor->editorWidget(panel))
        policy->addItem(widget);
    setContent(new Velin::DialogHelperWidget(panel));
    setAcceptEnabled(editor->mandatoryValuesProvided());
    connect(editor, &InternetAccessPointEditorInterface::mandatoryValuesProvidedChanged, this,
            &EditorPage::setAcceptEnabled);
    connect(editor, &InternetAccessPointEditorInterface::advancedSettingsActivated, this,
            &EditorPage::openAdvancedPage, Qt::QueuedConnection);
    connect(editor, &InternetAccessPointEditorInterface::forgetActivated, this, [this] {
        const QString id = m_accessPoint->id();
        m_accessPoint->forget();
        Q_EMIT forgotten(id);
        Velin::SimpleSheet::done(false);
    }, Qt::QueuedConnection);
}

EditorPage::~EditorPage()
{
    delete m_advanced.data();
    // The editor's widgets live in this page's content: gone before the editor.
    setContent(nullptr);
    delete m_editor;
    delete m_accessPoint;
}

Velin::SimpleSheet* EditorPage::advancedPage() const
{
    return m_advanced;
}

void EditorPage::done(bool accepted)
{
    if (accepted) {
        // Not silent: the editor shows what is wrong and focuses the field.
        if (m_editor->validate(false, true) != 0)
            return;
        m_editor->saveChanges();
        if (m_accessPoint->save())
            Q_EMIT saved(m_accessPoint->id());
    } else if (m_accessPoint->isSaved()) {
        // Done on the advanced pages handed their values to the access
        // point; Cancel here drops them along with the rest.
        Velin::InternetAccessPoint::loadSaved(m_accessPoint->id());
    }
    Velin::SimpleSheet::done(accepted);
}

void EditorPage::openAdvancedPage()
{
    if (m_advanced)
        return;
    auto page = new AdvancedEditorPage(m_editor);
    page->setObjectName(QStringLiteral("AdvancedEditorPage"));
    page->setTitle(tr("Advanced settings"));
    page->setAcceptLabel(tr("Done"));
    page->setRejectLabel(tr("Back"));
    auto panel = new Touch::Widget;
    auto policy = new Touch::LinearLayoutPolicy(new Touch::Layout(panel), Qt::Vertical);
    const QList<QGraphicsWidget*> widgets = m_editor->advancedSettingsEditorWidgets(panel);
    if (widgets.isEmpty()) {
        // Nothing to set for this network: no empty page.
        delete panel;
        delete page;
        return;
    }
    for (QGraphicsWidget* widget : widgets)
        policy->addItem(widget);
    page->setContent(new Velin::DialogHelperWidget(panel));
    m_advanced = page;
    connect(page, &Velin::SimpleSheet::finished, page, [page] {
        // Leaving the pages destroys their widgets, which lets the editor
        // restore what was not saved.
        QObject::connect(page, &Touch::SceneWindow::disappeared, page, &QObject::deleteLater);
    });
    page->appear(applicationWindow());
}
