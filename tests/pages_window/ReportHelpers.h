// What the report tests share: a machine with chosen MDAC and Jet files, and the report and
// JSON read back.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "Components.h"
#include "platform/Utf8.h"

namespace qn::test {

// MDAC: MSADO15.DLL registers, MSADER15.DLL carries no version, the rest is missing; the
// registry records MDAC 2.81.1117.0, newer than the newest known. Jet: the engine registers,
// the expression service is refused access, the OLE DB provider has no DllRegisterServer.
class FixtureMachine {
public:
    FixtureMachine();
    const ScopedComponents& mdac() const { return mdac_; }
    const ScopedComponents& jet() const { return jet_; }
    // A folder with a name outside ASCII, the temporary folder meanwhile; empty when this
    // Wine prefix cannot hold such names.
    const std::wstring& foreignTemp() const { return foreignTemp_; }

private:
    ScopedComponents mdac_;
    ScopedComponents jet_;
    ScopedRegValue installed_;
    TempDir dir_;
    std::wstring foreignTemp_;
    std::unique_ptr<ScopedEnvironment> tmp_;
};

inline nlohmann::json ParseJson(const std::string& text) { return nlohmann::json::parse(text); }

// A JSON string against the text it should carry.
inline std::string Utf8(const std::wstring& text) { return ToUtf8(text); }

}  // namespace qn::test
