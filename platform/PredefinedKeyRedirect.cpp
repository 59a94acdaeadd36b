#include "platform/PredefinedKeyRedirect.h"

#include "platform/RegistryTree.h"

namespace qn {

namespace {
// HKEY_CURRENT_USER too: components that register per user would otherwise write the live
// user's key, and the scratch key itself lives there.
const HKEY kRedirectedRoots[] = {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};
}  // namespace

PredefinedKeyRedirect::PredefinedKeyRedirect(HKEY into) {
    // Every target is opened before the first root moves: once HKEY_CURRENT_USER is redirected,
    // no path below it means what it meant.
    for (size_t i = 0; i < 3; ++i) {
        if (::RegCreateKeyExW(into, RootKeyName(kRedirectedRoots[i]).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, targets_[i].put(), nullptr) != ERROR_SUCCESS) {
            return;
        }
    }
    active_ = true;
    for (size_t i = 0; i < 3; ++i) {
        if (::RegOverridePredefKey(kRedirectedRoots[i], targets_[i].get()) != ERROR_SUCCESS) {
            Undo();
            return;
        }
    }
}

PredefinedKeyRedirect::~PredefinedKeyRedirect() { Undo(); }

void PredefinedKeyRedirect::Undo() {
    if (!active_) return;
    for (const HKEY root : kRedirectedRoots) ::RegOverridePredefKey(root, nullptr);
    active_ = false;
}

}  // namespace qn
