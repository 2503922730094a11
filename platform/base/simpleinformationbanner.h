#pragma once

#include "base/baseglobal.h"
#include "touch/widget.h"

#include <QList>

namespace Velin {

class SimpleInformationBannerPrivate;

/*!
 * A short message floating at the top of the window, above the current
 * sheet, for a few seconds.  Banners shown while others are up stack below
 * them.  Over a sheet they start below its header, so that its accept and
 * cancel actions stay in sight and within reach; a tap on a banner stops at
 * the banner and never reaches a control it hides.
 */
class VELINBASE_EXPORT SimpleInformationBanner : public Touch::Widget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(int timeout READ timeout WRITE setTimeout)

public:
    /*!
     * Shows \a text on the active application window's overlay layer (not
     * attached to any window when there is none) and returns the banner.  It
     * deletes itself (deleteLater) when \a milliseconds have passed.
     */
    static QObject* show(const QString& text, int milliseconds = 3000);

    //! Banners on screen, oldest first.
    static QList<QObject*> shownBanners();

    ~SimpleInformationBanner() override;

    QString text() const;
    void setText(const QString& text);

    //! Milliseconds the banner stays; setting it restarts the count.
    int timeout() const;
    void setTimeout(int milliseconds);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;

private:
    explicit SimpleInformationBanner(const QString& text, int milliseconds, QGraphicsItem* parent);

    friend class SimpleInformationBannerPrivate;
    SimpleInformationBannerPrivate* const d;
};

} // namespace Velin
