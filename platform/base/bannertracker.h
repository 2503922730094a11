#pragma once

#include "base/baseglobal.h"

#include <QObject>
#include <QString>

namespace Velin {

/*!
 * Tells about every banner shown through SimpleInformationBanner::show(), in
 * order: what observers (tests, the demo's log) listen to.
 */
class VELINBASE_EXPORT BannerTracker : public QObject
{
    Q_OBJECT

public:
    //! One per application; made on first use, a child of the application.
    static BannerTracker* instance();

Q_SIGNALS:
    void bannerShown(QObject* banner, const QString& text);

private:
    explicit BannerTracker(QObject* parent = nullptr);
    ~BannerTracker() override;
};

} // namespace Velin
