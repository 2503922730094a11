#include "bannerobserver.h"

#include "base/bannertracker.h"

BannerObserver::BannerObserver(QObject* parent)
    : QObject(parent)
{
    connect(Velin::BannerTracker::instance(), &Velin::BannerTracker::bannerShown, this,
            [this](QObject* banner, const QString& text) {
                m_texts.append(text);
                m_banners.append(banner);
                Q_EMIT bannerShown(text);
            });
}

QStringList BannerObserver::texts() const
{
    return m_texts;
}

int BannerObserver::count(const QString& text) const
{
    return m_texts.count(text);
}

int BannerObserver::size() const
{
    return m_texts.size();
}

QList<QPointer<QObject>> BannerObserver::banners() const
{
    return m_banners;
}

void BannerObserver::clear()
{
    m_texts.clear();
    m_banners.clear();
}
