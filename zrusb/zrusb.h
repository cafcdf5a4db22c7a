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
// product, 1 or 0 for whether this process can open it, why not, and the system's error
// number behind that (0 when none), separated by tabs.
// Copies at most size - 1 bytes and a terminating NUL into text; returns the length of the
// whole listing, or -1.
ZRUSB_API int ListUSBDevices(int vid, int pid, char* text, int size);

// Claims the display for one whole transfer, so that another process's transfer cannot
// interleave its packets: waits up to waitMs for another claim to end. Returns 1 when
// claimed, 0 when the display stayed busy, -1 when no display can be claimed. A process
// holds one claim at a time; ReleaseUSBDevice ends it.
ZRUSB_API int ClaimUSBDevice(int vid, int pid, int waitMs);
ZRUSB_API void ReleaseUSBDevice(void);

#ifdef __cplusplus
}
#endif
