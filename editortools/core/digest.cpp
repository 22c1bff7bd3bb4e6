// MD5 through Qt.
#include "core/digest.h"

#include <QByteArray>
#include <QCryptographicHash>

std::string Md5Hex(const std::string& bytes) {
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex().toStdString();
}
