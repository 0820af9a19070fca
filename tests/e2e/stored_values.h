// The names of the values a ruler stores under its own key, for every test that checks what was
// stored. Standard library only, so that a test of either build can include it.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// The twelve DWORD values in the order a ruler writes them; its flags follow as the text
// "Settings".
inline const std::vector<std::wstring> kInstanceDwordNames = {L"xPosi",
                                                              L"yPosi",
                                                              L"Lenght",
                                                              L"Marker",
                                                              L"MarkerBlue",
                                                              L"Scaling",
                                                              L"BackColor",
                                                              L"LayerWindow",
                                                              L"MagnifierWinSizeX",
                                                              L"MagnifierWinSizeY",
                                                              L"Magnifier",
                                                              L"MagType"};

}  // namespace e2e
