// What the WAPI suites expect of a certificate identifier, built straight
// from OpenSSL's encoding of the names, not through the model's own code.
#pragma once

#include "certificatefactory.h"

#include <QByteArray>

namespace WapiTest {

// Subject and issuer names, the INTEGER tag, the length, then the serial's
// bytes as the identifier carries them.
inline QByteArray expectedId(const TestCertificate& certificate, const QByteArray& serial)
{
    return certificate.subjectNameDer() + certificate.issuerNameDer() + char(0x02) + char(serial.size()) + serial;
}

} // namespace WapiTest
