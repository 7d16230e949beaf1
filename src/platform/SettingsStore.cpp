#include "platform/SettingsStore.h"

#include <atomic>

namespace fretlo {

namespace {
std::atomic<TSettingsStore*> installed{nullptr};
}

TSettingsStore* CurrentSettingsStore() { return installed.load(); }
void InstallSettingsStore(TSettingsStore* store) { installed.store(store); }

}  // namespace fretlo
