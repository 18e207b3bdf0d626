#pragma once
// Text and fonts need a QGuiApplication; tests that measure or draw text
// call this once (offscreen platform).
void EnsureGuiApp();
