// A value of the settings file, with its type tag.
#include "FuzzCheck.h"
#include "app/qt/QSettingsStore.h"

using namespace corvelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto value = QSettingsStore::decode(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    fuzz::require(QSettingsStore::decode(QSettingsStore::encode(value)) == value, "decode, encode, decode gives the same value");
    return 0;
}
