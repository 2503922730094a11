#include "base/bannertracker.h"

#include <QCoreApplication>
#include <QPointer>

namespace Velin {

namespace {
QPointer<BannerTracker> s_tracker;
}

BannerTracker::BannerTracker(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("BannerTracker"));
}

BannerTracker::~BannerTracker() = default;

BannerTracker* BannerTracker::instance()
{
    if (!s_tracker)
        s_tracker = new BannerTracker(QCoreApplication::instance());
    return s_tracker;
}

} // namespace Velin
