#include "app/qt/QSettingsStore.h"

#include <QByteArray>

#include <cmath>

namespace corvelle {
namespace {

QString key(const std::string& name) { return QString::fromStdString(name); }

template <typename... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

QSettingsStore::QSettingsStore() : settings_(QSettings::NativeFormat, QSettings::UserScope, "io.mirelo.corvelle", "settings") {}

QSettingsStore::QSettingsStore(const QString& fileName) : settings_(fileName, QSettings::IniFormat) {}

QString QSettingsStore::encode(const Value& value) {
    return std::visit(
        Overloaded{
            [](double v) { return "d:" + QString::number(v, 'g', 17); },
            [](std::int64_t v) { return "i:" + QString::number(v); },
            [](bool v) { return QString(v ? "b:1" : "b:0"); },
            [](const std::string& v) { return "s:" + QString::fromStdString(v); },
            [](const Bytes& v) {
                const QByteArray data(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
                return "x:" + QString::fromLatin1(data.toBase64());
            },
        },
        value);
}

// A text without a type tag, or one its tag does not fit (a hand-edited "5", "d:fast"), reads
// as plain text: typed reads of another type still answer nothing, and the settings can say
// what they found.
KeyValueStore::Value QSettingsStore::decode(const QString& text) {
    const KeyValueStore::Value asText = text.toStdString();
    if (text.size() < 2 || text[1] != ':') return asText;
    const QString body = text.mid(2);
    bool ok = false;
    switch (text[0].toLatin1()) {
        case 'd': {
            const double v = body.toDouble(&ok);
            if (ok && std::isfinite(v)) return v;
            return asText;
        }
        case 'i': {
            const qlonglong v = body.toLongLong(&ok);
            if (ok) return static_cast<std::int64_t>(v);
            return asText;
        }
        case 'b':
            if (body == "1" || body == "0") return body == "1";
            return asText;
        case 's':
            return body.toStdString();
        case 'x': {
            auto decoded = QByteArray::fromBase64Encoding(body.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded) return asText;
            return Bytes(decoded.decoded.begin(), decoded.decoded.end());
        }
        default:
            return asText;
    }
}

std::optional<KeyValueStore::Value> QSettingsStore::read(const std::string& name) const {
    const QVariant stored = settings_.value(key(name));
    if (!stored.isValid()) return std::nullopt;
    return decode(stored.toString());
}

void QSettingsStore::write(const std::string& name, const Value& value) {
    settings_.setValue(key(name), encode(value));
    settings_.sync();
}

void QSettingsStore::remove(const std::string& name) {
    settings_.remove(key(name));
    settings_.sync();
}

}  // namespace corvelle
