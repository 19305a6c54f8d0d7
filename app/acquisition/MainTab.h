// The four central tabs of the main window, in their order on screen.
#pragma once

enum class MainTab { RealTime = 0, StaticAnalysis = 1, Balance = 2, Report = 3 };

constexpr int tabIndex(MainTab tab) { return static_cast<int>(tab); }
