// The device-ownership record: one 12-byte shared-memory object per MIDI device, naming the
// process that has the device open, so that instances can take a device from one another.
// Layout (little-endian): spin-lock word (0 free, 1 held), reserved (0), owner's process id.
#pragma once

#include <cstdint>
#include <string>

namespace fretlo {

// "/WinFretloPlayer-XXXXXXXX": the device index as eight upper-case hexadecimal digits
// (device -1, the built-in synthesizer, gives FFFFFFFF).
std::string DeviceRecordName(int device);

class TDeviceRecord {
public:
    // Creates or opens the record and maps it; raises EFretloError with the system's text.
    explicit TDeviceRecord(int device);
    // Unmaps; the object stays for the next owner (an owner of 0 marks it free).
    ~TDeviceRecord();
    TDeviceRecord(const TDeviceRecord&) = delete;
    TDeviceRecord& operator=(const TDeviceRecord&) = delete;

    // The process id of another live process that holds the device, or 0. A recorded owner
    // that no longer runs does not count: shared memory outlives a crashed process.
    int OtherOwner();
    // Records this process as the owner.
    void Claim();
    // Clears the owner when it is still this process.
    void Disown();

private:
    class TSpinGuard;
    uint32_t* words_ = nullptr;
};

}  // namespace fretlo
