// The density of a window, of a monitor, and the system's sizes at a given
// density. Windows 10 1607 and later give each monitor its own; the
// functions for that are looked up when first needed, so that the program
// still starts on older Windows, where every answer is the system's
// density and the system's sizes.
#pragma once

#include <windows.h>

int SystemDpi();
int WindowDpi(HWND window);
// The effective density that Windows lays the monitor's windows out at.
int MonitorDpi(HMONITOR monitor);
// GetSystemMetrics as at the density.
int SystemMetricForDpi(int index, int dpi);
// The window rectangle that a client rectangle of the window takes, with
// the window's styles and a frame drawn at the density.
void AdjustWindowRectForDpi(RECT& bounds, HWND window, int dpi);
// Keeps the dialog manager from rescaling the dialog and its controls on a
// change of density, for a dialog that does that itself: otherwise both
// would.
void LeaveDpiChangesToDialog(HWND dialog);
