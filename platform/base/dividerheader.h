#pragma once

#include "base/baseglobal.h"
#include "touch/widget.h"

namespace Touch {
class Label;
}

namespace Velin {

class DividerHeaderPrivate;

//! A group heading: the title, then a divider line across the rest of the row.
class VELINBASE_EXPORT DividerHeader : public Touch::Widget
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)

public:
    explicit DividerHeader(const QString& title = QString(), QGraphicsItem* parent = nullptr);
    ~DividerHeader() override;

    QString title() const;
    void setTitle(const QString& title);

    //! Styled "CommonGroupHeader".
    Touch::Label* label() const;

private:
    friend class DividerHeaderPrivate;
    DividerHeaderPrivate* const d;
};

} // namespace Velin
