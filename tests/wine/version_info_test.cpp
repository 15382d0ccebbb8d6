// The version block of every program and library as Explorer's properties
// read it: the Japanese block with the product's version, the file's own name
// and a Japanese description; the programs' icons and application manifests.
#include <gtest/gtest.h>

#include "tests/wine/support/win_test_support.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Every .EXE, .DLL and .arx below dir.
void CollectBinaries(const std::string& dir, std::vector<std::string>* paths) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        std::string name = found.cFileName;
        std::string path = dir + "\\" + name;
        const char* dot = strrchr(found.cFileName, '.');
        if (name == "." || name == "..") {
            continue;
        }
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectBinaries(path, paths);
        } else if (dot && (lstrcmpiA(dot, ".exe") == 0 || lstrcmpiA(dot, ".dll") == 0 ||
                           lstrcmpiA(dot, ".arx") == 0)) {
            paths->push_back(path);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string Value(std::vector<char>& block, const char* name) {
    std::string key = std::string("\\StringFileInfo\\041104B0\\") + name;
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), key.c_str(), &text, &length) || !text) {
        return "<absent>";
    }
    return static_cast<const char*>(text);
}

// The program's application manifest (resource 1 of type RT_MANIFEST), or "".
std::string Manifest(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::string text;
    HRSRC found =
        module ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (loaded != nullptr) {
        text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
    if (module != nullptr) {
        FreeLibrary(module);
    }
    return text;
}

bool HasDoubleByteText(const std::string& text) {
    for (char c : text) {
        if (IsDBCSLeadByte(static_cast<BYTE>(c))) {
            return true;
        }
    }
    return false;
}

TEST(VersionInfo, EveryProgramAndLibraryCarriesTheJapaneseBlock) {
    std::vector<std::string> paths;
    CollectBinaries(DistDir(), &paths);
    CollectBinaries(DemoPackageDir(), &paths);
    // VXCAD.EXE, VXMENU32.EXE, the two modules and the three demo libraries at least.
    ASSERT_GE(paths.size(), 7u);

    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(sscanf(VX_VERSION, "%u.%u.%u", &major, &minor, &patch), 3);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        DWORD unused = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
        ASSERT_GT(size, 0u);
        std::vector<char> block(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

        void* data = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &data, &length));
        const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(minor, major)));
        EXPECT_EQ(fixed->dwProductVersionLS, static_cast<DWORD>(MAKELONG(0, patch)));

        ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &data, &length));
        ASSERT_GE(length, 4u);
        const WORD* translation = static_cast<const WORD*>(data);
        EXPECT_EQ(translation[0], 0x0411);
        EXPECT_EQ(translation[1], 1200);

        std::string name = path.substr(path.rfind('\\') + 1);
        std::string extension = name.substr(name.rfind('.'));
        EXPECT_EQ(Value(block, "OriginalFilename"), name);
        EXPECT_EQ(Value(block, "InternalName"), name.substr(0, name.rfind('.')));
        EXPECT_EQ(Value(block, "ProductName"), "VX");
        EXPECT_EQ(Value(block, "ProductVersion"), VX_VERSION);
        EXPECT_EQ(Value(block, "FileVersion"), VX_VERSION);
        EXPECT_EQ(Value(block, "CompanyName"), "VX Project");
        EXPECT_EQ(Value(block, "LegalCopyright").rfind("Copyright (C) VX Project.", 0), 0u);
        EXPECT_TRUE(HasDoubleByteText(Value(block, "FileDescription")));
        if (lstrcmpiA(extension.c_str(), ".exe") == 0) {
            EXPECT_GT(ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0), 0u);
            // Run as invoked (no installer detection, no file virtualisation),
            // declared for Windows Vista to 11.
            std::string manifest = Manifest(path);
            EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""),
                      std::string::npos);
            EXPECT_NE(manifest.find("{e2011457-1546-43c5-a5fe-008deee3d3f0}"), std::string::npos);
            EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
        }
    }
}

} // namespace
