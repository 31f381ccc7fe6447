// The settings store: what the file store and its double share, then the file's own behaviour
// (round trip through a new object, damaged files, atomic replacement).

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

#include "TempFolder.h"
#include "platform/store/CJsonRegistryStore.h"
#include "platform/store/CMemoryRegistryStore.h"
#include "platform/store/RegistryKeys.h"

namespace dw::platform {
namespace {

using test::CTempFolder;

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct FileStoreMaker {
    CTempFolder folder;
    std::unique_ptr<IRegistryStore> Make() { return std::make_unique<CJsonRegistryStore>(folder / "cfg/VEXLO Dunwake 75 tri-mode/registry.json"); }
};

struct MemoryStoreMaker {
    std::unique_ptr<IRegistryStore> Make() { return std::make_unique<CMemoryRegistryStore>(); }
};

template <class Maker>
class RegistryStoreContract : public ::testing::Test {
protected:
    Maker maker;
};

using Makers = ::testing::Types<FileStoreMaker, MemoryStoreMaker>;
TYPED_TEST_SUITE(RegistryStoreContract, Makers);

TYPED_TEST(RegistryStoreContract, ValuesKeepTheirTypeAndNamesIgnoreCase)
{
    auto store = this->maker.Make();
    EXPECT_EQ(store->GetDword(kProgramSettingsKey, kLanguageValueName), std::nullopt);

    EXPECT_EQ(store->SetDword(kProgramSettingsKey, kLanguageValueName, 3), kStoreOk);
    EXPECT_EQ(store->SetString(kProgramSettingsKey, L"Theme", L"\u6DF1\u8272"), kStoreOk);
    EXPECT_EQ(store->GetDword(L"software\\vexlo dunwake 75 TRI-MODE", L"language"), 3u);
    EXPECT_EQ(store->GetString(kProgramSettingsKey, L"THEME"), L"\u6DF1\u8272");
    // A value read as the other type is missing, as a registry read of the wrong type fails.
    EXPECT_EQ(store->GetString(kProgramSettingsKey, kLanguageValueName), std::nullopt);
    EXPECT_EQ(store->GetDword(kProgramSettingsKey, L"Theme"), std::nullopt);

    EXPECT_EQ(store->SetDword(kProgramSettingsKey, L"language", UINT32_MAX), kStoreOk);
    EXPECT_EQ(store->GetDword(kProgramSettingsKey, kLanguageValueName), UINT32_MAX);

    EXPECT_EQ(store->SetDword(L"", kLanguageValueName, 1), kStoreBadArgument);
    EXPECT_EQ(store->SetDword(kProgramSettingsKey, L"", 1), kStoreBadArgument);
}

TYPED_TEST(RegistryStoreContract, InstalledVersionComesFromTheBuildAndIsReadOnly)
{
    auto store = this->maker.Make();
    EXPECT_EQ(store->GetString(kUninstallKey, kDisplayVersionValueName), InstalledDisplayVersion());
    EXPECT_EQ(store->SetString(kUninstallKey, kDisplayVersionValueName, L"9.9.9"), kStoreReadOnly);
    EXPECT_EQ(store->GetString(L"SOFTWARE\\MICROSOFT\\Windows\\CurrentVersion\\Uninstall\\VEXLO Dunwake 75 tri-mode", L"displayversion"),
        std::wstring(L"" DW_VERSION_STRING ""));
}

TEST(RegistryKeys, VersionTextReadsAsANumberWithoutDots)
{
    struct Case {
        const wchar_t* text;
        uint32_t expected;
    };
    const Case cases[] = {
        {L"1.2.3", 123}, {L"0.1.0", 10}, {L"10.0.12", 10012}, {L"", 0}, {L"...", 0},
        {L"1.2-beta", 0}, {L"4294967295", 4294967295u}, {L"4294967296", 0}, {L"99999999999999999999", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(VersionNumberFromText(c.text), c.expected);
    }
}

class JsonRegistryStoreTest : public ::testing::Test {
protected:
    std::string Path() const { return folder / "cfg/VEXLO Dunwake 75 tri-mode/registry.json"; }
    CTempFolder folder;
};

TEST_F(JsonRegistryStoreTest, ValuesSurviveIntoANewStoreAndOtherValuesAreKept)
{
    {
        CJsonRegistryStore writer(Path());
        ASSERT_EQ(writer.SetDword(kProgramSettingsKey, kLanguageValueName, 2), kStoreOk);
        ASSERT_EQ(writer.SetString(L"SOFTWARE\\Other", L"Name", L"kept"), kStoreOk);
        ASSERT_EQ(writer.SetDword(kProgramSettingsKey, kLanguageValueName, 5), kStoreOk);
    }
    CJsonRegistryStore reader(Path());
    EXPECT_EQ(reader.GetDword(kProgramSettingsKey, kLanguageValueName), 5u);
    EXPECT_EQ(reader.GetString(L"SOFTWARE\\Other", L"Name"), L"kept");
    // Only the document is left in the folder: no temporary file.
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(Path()).parent_path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST_F(JsonRegistryStoreTest, DamagedDocumentsReadAsEmptyAndAreReplacedOnWrite)
{
    struct Case {
        const char* what;
        std::string content;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"not JSON", "\x01\x02garbage{{{"},
        {"truncated", "{ \"SOFTWARE\\\\VEXLO Dunwake 75 tri-mode\": { \"LANGUAGE\": 2"},
        {"array at the top", "[1, 2, 3]"},
        {"key is not an object", "{ \"SOFTWARE\\\\VEXLO Dunwake 75 tri-mode\": 7 }"},
        {"negative number", "{ \"SOFTWARE\\\\VEXLO Dunwake 75 tri-mode\": { \"LANGUAGE\": -1 } }"},
        {"number too large", "{ \"SOFTWARE\\\\VEXLO Dunwake 75 tri-mode\": { \"LANGUAGE\": 4294967296 } }"},
        {"fraction", "{ \"SOFTWARE\\\\VEXLO Dunwake 75 tri-mode\": { \"LANGUAGE\": 1.5 } }"},
        {"boolean", "{ \"SOFTWARE\\\\VEXLO Dunwake 75 tri-mode\": { \"LANGUAGE\": true } }"},
        {"deep nesting", std::string(100000, '[')},
        {"oversized", "{\"a\":\"" + std::string(CJsonRegistryStore::kMaxDocumentBytes, 'x') + "\"}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(Path(), c.content);
        CJsonRegistryStore store(Path());
        EXPECT_EQ(store.GetDword(kProgramSettingsKey, kLanguageValueName), std::nullopt);
        EXPECT_EQ(store.GetString(kProgramSettingsKey, kLanguageValueName), std::nullopt);
        EXPECT_EQ(store.SetDword(kProgramSettingsKey, kLanguageValueName, 4), kStoreOk);
        EXPECT_EQ(CJsonRegistryStore(Path()).GetDword(kProgramSettingsKey, kLanguageValueName), 4u);
    }
}

TEST_F(JsonRegistryStoreTest, AFailedWriteLeavesTheDocumentAsItWas)
{
    CJsonRegistryStore store(Path());
    ASSERT_EQ(store.SetDword(kProgramSettingsKey, kLanguageValueName, 1), kStoreOk);
    const std::string before = ReadFile(Path());
    // A folder where the temporary file would go makes the write fail.
    std::filesystem::create_directory(Path() + ".tmp-" + std::to_string(getpid()));
    EXPECT_EQ(store.SetDword(kProgramSettingsKey, kLanguageValueName, 2), kStoreWriteFailed);
    EXPECT_EQ(ReadFile(Path()), before);
    EXPECT_EQ(store.GetDword(kProgramSettingsKey, kLanguageValueName), 1u);

    // A store that has no place at all (no home folder) reads empty and cannot write.
    CJsonRegistryStore nowhere("");
    EXPECT_EQ(nowhere.GetDword(kProgramSettingsKey, kLanguageValueName), std::nullopt);
    EXPECT_EQ(nowhere.SetDword(kProgramSettingsKey, kLanguageValueName, 1), kStoreWriteFailed);
}

}  // namespace
}  // namespace dw::platform
