#pragma once

// The device library's surface: four C entry points, loaded by name at run time, and a
// listing of the displays for diagnostics. Handles are small positive integers; -1 means
// failure. WriteUSB and ReadUSB return nonzero on success and 0 on failure.

#ifdef __cplusplus
extern "C" {
#endif

#define ZRUSB_API __attribute__((visibility("default")))

ZRUSB_API int OpenUSBDevice(int vid, int pid);
ZRUSB_API void CloseUSBDevice(int handle);
ZRUSB_API int WriteUSB(int handle, const unsigned char* data, int count, int* written);
ZRUSB_API int ReadUSB(int handle, unsigned char* data, int count, int* read);

// Lists the HID devices answering to vid and pid, one line each: path, manufacturer,
// product, 1 or 0 for whether this process can open it, and why not, separated by tabs.
// Copies at most size - 1 bytes and a terminating NUL into text; returns the length of the
// whole listing, or -1.
ZRUSB_API int ListUSBDevices(int vid, int pid, char* text, int size);

#ifdef __cplusplus
}
#endif
