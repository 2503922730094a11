#pragma once

#include "net/internetaccesspoint.h"
#include "net/scanresult.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class InternetAccessPointEditorInterface;

// What the connectivity framework asks of a plug-in that handles one kind of
// network. The slot order is part of the plug-in binary interface: append,
// never reorder.
class InternetAccessPointTypeInterface
{
public:
    virtual ~InternetAccessPointTypeInterface() {}
    virtual QStringList types() const = 0;
    virtual QString securityImageName(const QList<QVariant>& data) const = 0;
    virtual QString bearerImageName(const QList<QVariant>& data, int signalStrength) const = 0;
    virtual Velin::ScanResult filterScanResult(const Velin::ScanResult& result) const = 0;
    virtual bool initializeInternetAccessPoint(Velin::InternetAccessPoint* iap) = 0;
    virtual Velin::InternetAccessPoint createInternetAccessPoint(const QList<QVariant>& data) = 0;
    virtual QList<Velin::InternetAccessPoint> defaultConnections() const = 0;
    virtual InternetAccessPointEditorInterface* editor(Velin::InternetAccessPoint* iap) = 0;
    virtual bool configureForConnection(Velin::InternetAccessPoint* iap) { return iap != nullptr; }
    virtual bool isAutoconnectable(const Velin::ScanResult& result) const = 0;
};

Q_DECLARE_INTERFACE(InternetAccessPointTypeInterface, "com.qorva.InternetAccessPointTypeInterface")
