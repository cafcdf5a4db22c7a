#pragma once

// The device library's whole surface: four C entry points, loaded by name at run time.
// Handles are small positive integers; -1 means failure. WriteUSB and ReadUSB return
// nonzero on success and 0 on failure.

#ifdef __cplusplus
extern "C" {
#endif

#define ZRUSB_API __attribute__((visibility("default")))

ZRUSB_API int OpenUSBDevice(int vid, int pid);
ZRUSB_API void CloseUSBDevice(int handle);
ZRUSB_API int WriteUSB(int handle, const unsigned char* data, int count, int* written);
ZRUSB_API int ReadUSB(int handle, unsigned char* data, int count, int* read);

#ifdef __cplusplus
}
#endif
