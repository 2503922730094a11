#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

// Records every banner shown through SimpleInformationBanner::show() (via
// Velin::BannerTracker), in order, from its construction on.
class BannerObserver : public QObject
{
    Q_OBJECT

public:
    explicit BannerObserver(QObject* parent = nullptr);

    QStringList texts() const;
    // How many banners showed exactly this text.
    int count(const QString& text) const;
    // How many banners were shown.
    int size() const;
    // The banners themselves (null once gone), in order.
    QList<QPointer<QObject>> banners() const;
    void clear();

Q_SIGNALS:
    void bannerShown(const QString& text);

private:
    QStringList m_texts;
    QList<QPointer<QObject>> m_banners;
};
