#include "app/labelcounter.h"

#include "document/settingsstore.h"

#include <limits>

namespace {
const QString CounterKey = QStringLiteral("Zaehler/LaufendeNummer");
} // namespace

int storedLabelNumber() {
    auto settings = SettingsStore::open();
    return SettingsStore::readInt(*settings, CounterKey, 1, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max());
}

void storeLabelNumber(int value) {
    auto settings = SettingsStore::open();
    settings->setValue(CounterKey, value);
    settings->sync();
}
