// A device library that passes every call on to the real one and counts the handles it
// gave out and those given back, so a test can see that none is left open.
#include <dlfcn.h>

#include <stdexcept>

namespace {

struct Real {
    int (*open)(int, int);
    void (*close)(int);
    int (*write)(int, const unsigned char*, int, int*);
    int (*read)(int, unsigned char*, int, int*);
};

template <typename Function>
Function Bind(void* library, const char* name) {
    void* symbol = library != nullptr ? dlsym(library, name) : nullptr;
    if (symbol == nullptr) {
        throw std::runtime_error(name);
    }
    return reinterpret_cast<Function>(symbol);
}

const Real& TheReal() {
    static const Real real = [] {
        void* library = dlopen(REAL_DEVICE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        return Real{Bind<decltype(Real::open)>(library, "OpenUSBDevice"),
                    Bind<decltype(Real::close)>(library, "CloseUSBDevice"),
                    Bind<decltype(Real::write)>(library, "WriteUSB"),
                    Bind<decltype(Real::read)>(library, "ReadUSB")};
    }();
    return real;
}

int opened = 0;
int closed = 0;

}  // namespace

extern "C" {

int OpenUSBDevice(int vid, int pid) {
    const int handle = TheReal().open(vid, pid);
    opened += handle != -1 ? 1 : 0;
    return handle;
}
void CloseUSBDevice(int handle) {
    ++closed;
    TheReal().close(handle);
}
int WriteUSB(int handle, const unsigned char* data, int count, int* written) {
    return TheReal().write(handle, data, count, written);
}
int ReadUSB(int handle, unsigned char* data, int count, int* read) {
    return TheReal().read(handle, data, count, read);
}
int CountedOpens() {
    return opened;
}
int CountedCloses() {
    return closed;
}
}
