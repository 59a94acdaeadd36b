// The failure message of a repair, with the system texts that Wine gives for the codes.
#include <gtest/gtest.h>

#include "repair/RegistrationReport.h"
#include "support/TestSupport.h"

using namespace qn;

namespace {

RegistrationFailure LoadFailure(std::wstring file, DWORD error) {
    return {std::move(file), {RegistrationOutcome::LoadFailed, error, S_OK}};
}
RegistrationFailure MissingEntry(std::wstring file) {
    return {std::move(file), {RegistrationOutcome::EntryPointMissing, ERROR_SUCCESS, S_OK}};
}
RegistrationFailure CallFailure(std::wstring file, DWORD status) {
    return {std::move(file), {RegistrationOutcome::CallFailed, ERROR_SUCCESS, static_cast<HRESULT>(status)}};
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

const std::wstring kAdminLine = L"Please start the program as an administrator and try again.";

TEST(RegistrationReport, NamesEachFailedFileWithWhatWentWrong) {
    const std::wstring text = FormatRegistrationFailures({
        LoadFailure(L"C:\\Comp\\readme.dll", ERROR_BAD_EXE_FORMAT),
        MissingEntry(L"C:\\Comp\\MSJRO.DLL"),
        CallFailure(L"C:\\Comp\\MSADCE.DLL", 0x80004005),
        LoadFailure(L"C:\\Comp\\MSADOX.DLL", ERROR_MOD_NOT_FOUND),
    });
    EXPECT_EQ(Lines(text), (std::vector<std::wstring>{
        L"The following files could not be registered:",
        L"",
        L"C:\\Comp\\readme.dll",
        // The system's own text names the file in place of its "%1".
        L"    The file could not be loaded. Bad EXE format for C:\\Comp\\readme.dll.",
        L"C:\\Comp\\MSJRO.DLL",
        L"    The entry point DllRegisterServer was not found.",
        L"C:\\Comp\\MSADCE.DLL",
        L"    DllRegisterServer failed with error code 0x80004005. Call failed.",
        L"C:\\Comp\\MSADOX.DLL",
        L"    The file could not be loaded. Module not found.",
    }));
}

TEST(RegistrationReport, StatusWithoutSystemTextShowsOnlyTheCode) {
    const std::vector<std::wstring> lines = Lines(FormatRegistrationFailures({CallFailure(L"x.dll", 0x8FFF1234)}));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3], L"    DllRegisterServer failed with error code 0x8FFF1234.");
}

TEST(RegistrationReport, AsksForAdministratorOnceExactlyWhenRightsAreMissing) {
    const std::wstring denied = FormatRegistrationFailures({
        CallFailure(L"C:\\Comp\\MSADO15.DLL", 0x80070005),
        MissingEntry(L"C:\\Comp\\MSJRO.DLL"),
        CallFailure(L"C:\\Comp\\MSADOX.DLL", 0x8002801C),
    });
    const std::vector<std::wstring> lines = Lines(denied);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[3], L"    DllRegisterServer failed with error code 0x80070005. Access denied.");
    EXPECT_EQ(lines[7].rfind(L"    DllRegisterServer failed with error code 0x8002801C.", 0), 0u) << lines[7].size();
    EXPECT_EQ(lines[8], L"");
    EXPECT_EQ(lines[9], kAdminLine);

    EXPECT_EQ(Lines(FormatRegistrationFailures({LoadFailure(L"a.dll", ERROR_ACCESS_DENIED)})).back(), kAdminLine);

    const std::wstring otherFailures = FormatRegistrationFailures({
        CallFailure(L"a.dll", 0x80004005),
        MissingEntry(L"b.dll"),
        LoadFailure(L"c.dll", ERROR_BAD_EXE_FORMAT),
    });
    EXPECT_EQ(otherFailures.find(kAdminLine), std::wstring::npos);
}

TEST(RegistrationReport, LeavesOutFilesThatDidNotFail) {
    const RegistrationFailure registered{L"ok.dll", {RegistrationOutcome::Registered, ERROR_SUCCESS, S_FALSE}};
    const RegistrationFailure skipped{L"", {}};
    EXPECT_EQ(FormatRegistrationFailures({}), L"");
    EXPECT_EQ(FormatRegistrationFailures({registered, skipped}), L"");
    EXPECT_EQ(Lines(FormatRegistrationFailures({registered, MissingEntry(L"b.dll"), skipped})).size(), 4u);
}

TEST(RegistrationReport, MissingRightsAreRecognisedByTheirCodes) {
    for (const DWORD status : {0x80070005u, 0x8002801Cu, 0x80030005u, 0x80040151u,
                               static_cast<unsigned>(HRESULT_FROM_WIN32(ERROR_PRIVILEGE_NOT_HELD)),
                               static_cast<unsigned>(HRESULT_FROM_WIN32(740))}) {
        EXPECT_TRUE(MeansMissingRights(CallFailure(L"", status).result)) << std::hex << status;
    }
    for (const DWORD status : {0x80004005u, 0x8002801Du, 0x80070002u, 0x8FFF1234u}) {
        EXPECT_FALSE(MeansMissingRights(CallFailure(L"", status).result)) << std::hex << status;
    }
    EXPECT_TRUE(MeansMissingRights(LoadFailure(L"", ERROR_ACCESS_DENIED).result));
    EXPECT_FALSE(MeansMissingRights(LoadFailure(L"", ERROR_MOD_NOT_FOUND).result));
    EXPECT_FALSE(MeansMissingRights(MissingEntry(L"").result));
    EXPECT_FALSE(MeansMissingRights({RegistrationOutcome::Registered, ERROR_SUCCESS, S_FALSE}));
}

TEST(RegistrationReport, ReportsWhatTheRealEngineReturned) {
    const std::wstring denied = qn::test::FixturePath(L"fx_reg_denied");
    const std::wstring noExport = qn::test::FixturePath(L"fx_no_export");
    const std::wstring text = FormatRegistrationFailures({
        {denied, RegisterComponent(denied)},
        {noExport, RegisterComponent(noExport)},
        {L"", RegisterComponent(L"")},
    });
    EXPECT_EQ(Lines(text), (std::vector<std::wstring>{
        L"The following files could not be registered:",
        L"",
        denied,
        L"    DllRegisterServer failed with error code 0x80070005. Access denied.",
        noExport,
        L"    The entry point DllRegisterServer was not found.",
        L"",
        kAdminLine,
    }));
}

TEST(RegistrationReport, GermanUserReadsGermanTexts) {
    const std::wstring text = FormatRegistrationFailures({
        LoadFailure(L"C:\\Comp\\readme.dll", ERROR_BAD_EXE_FORMAT),
        MissingEntry(L"C:\\Comp\\MSJRO.DLL"),
        CallFailure(L"C:\\Comp\\MSADO15.DLL", 0x80070005),
    });
    const std::vector<std::wstring> lines = Lines(text);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], L"Folgende Dateien konnten nicht registriert werden:");
    EXPECT_EQ(lines[3].rfind(L"    Die Datei konnte nicht geladen werden. ", 0), 0u);
    EXPECT_EQ(lines[5], L"    Der Einsprungpunkt DllRegisterServer wurde nicht gefunden.");
    EXPECT_EQ(lines[7], L"    DllRegisterServer ist mit dem Fehlercode 0x80070005 fehlgeschlagen. Zugriff verweigert.");
    EXPECT_EQ(lines[9], L"Bitte starten Sie das Programm als Administrator und versuchen Sie es erneut.");

    EXPECT_EQ(FormatRegistrationFailures({MissingEntry(L"b.dll")}).find(L"Administrator"), std::wstring::npos);
}

}  // namespace
