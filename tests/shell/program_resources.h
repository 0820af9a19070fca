// The program's own resources for the shell's tests: linova.exe beside the test, loaded as data.
#pragma once

#include <windows.h>

#include <string>

class ProgramResources {
  public:
    ProgramResources() {
        wchar_t path[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring program(path);
        program.resize(program.find_last_of(L"\\/") + 1);
        program += L"linova.exe";
        module_ = LoadLibraryExW(program.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    ~ProgramResources() {
        if (module_) FreeLibrary(module_);
    }
    ProgramResources(const ProgramResources&) = delete;
    ProgramResources& operator=(const ProgramResources&) = delete;
    HINSTANCE get() const { return module_; }

  private:
    HINSTANCE module_ = nullptr;
};
