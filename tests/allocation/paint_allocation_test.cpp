// The worker invalidates the readout every 2 ms whether or not its text changed: a paint of an
// unchanged readout allocates nothing and makes no GDI object.
//
// GDI objects are counted at this program's import slots of the five GDI functions that make
// one (the program imports no other): every call from the program's code goes through them, so
// a counting function put there sees each. Wine's GetGuiResources is a stub that answers 0, and
// a count before and after would miss an object made and deleted within the paint anyway.
#include <gtest/gtest.h>

#include <atomic>

#include "allocation_counter.h"
#include "test_support.h"

namespace {

std::atomic<long> gdiObjectsMade{0};

template <typename Result, typename... Arguments>
struct Counted {
    using Function = Result(WINAPI*)(Arguments...);
    static inline Function real = nullptr;
    static Result WINAPI Call(Arguments... arguments) {
        ++gdiObjectsMade;
        return real(arguments...);
    }
};

}  // namespace

// The slots' link names: stdcall names carry their argument bytes on 32-bit Windows.
#ifdef _WIN64
#define IMPORT_SLOT(name, bytes) "__imp_" #name
#else
#define IMPORT_SLOT(name, bytes) "__imp__" #name "@" #bytes
#endif
extern "C" {
extern void* slotCompatibleDc __asm__(IMPORT_SLOT(CreateCompatibleDC, 4));
extern void* slotCompatibleBitmap __asm__(IMPORT_SLOT(CreateCompatibleBitmap, 12));
extern void* slotSolidBrush __asm__(IMPORT_SLOT(CreateSolidBrush, 4));
extern void* slotFont __asm__(IMPORT_SLOT(CreateFontW, 56));
extern void* slotRoundRectRegion __asm__(IMPORT_SLOT(CreateRoundRectRgn, 24));
}

namespace {

using CountedDc = Counted<HDC, HDC>;
using CountedBitmap = Counted<HBITMAP, HDC, int, int>;
using CountedBrush = Counted<HBRUSH, COLORREF>;
using CountedFont = Counted<HFONT, int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD,
                            DWORD, DWORD, DWORD, LPCWSTR>;
using CountedRegion = Counted<HRGN, int, int, int, int, int, int>;

void WriteSlot(void*& slot, void* function) {
    DWORD protection = 0;
    VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &protection);
    slot = function;
    VirtualProtect(&slot, sizeof slot, protection, &protection);
}

template <typename C>
void Take(void*& slot) {
    C::real = reinterpret_cast<typename C::Function>(slot);
    WriteSlot(slot, reinterpret_cast<void*>(&C::Call));
}

template <typename C>
void Give(void*& slot) {
    WriteSlot(slot, reinterpret_cast<void*>(C::real));
}

// Counts the GDI objects the program makes while it is open.
struct CountGdiObjects {
    CountGdiObjects() {
        gdiObjectsMade = 0;
        Take<CountedDc>(slotCompatibleDc);
        Take<CountedBitmap>(slotCompatibleBitmap);
        Take<CountedBrush>(slotSolidBrush);
        Take<CountedFont>(slotFont);
        Take<CountedRegion>(slotRoundRectRegion);
    }
    ~CountGdiObjects() {
        Give<CountedDc>(slotCompatibleDc);
        Give<CountedBitmap>(slotCompatibleBitmap);
        Give<CountedBrush>(slotSolidBrush);
        Give<CountedFont>(slotFont);
        Give<CountedRegion>(slotRoundRectRegion);
    }
    CountGdiObjects(const CountGdiObjects&) = delete;
    CountGdiObjects& operator=(const CountGdiObjects&) = delete;
    long Count() const { return gdiObjectsMade.load(); }
};

}  // namespace

TEST(PaintAllocation, TheGdiCounterSeesEachMaker) {
    CountGdiObjects counting;
    HDC dc = CreateCompatibleDC(nullptr);
    DeleteObject(CreateCompatibleBitmap(dc, 4, 4));
    DeleteDC(dc);
    DeleteObject(CreateSolidBrush(0));
    DeleteObject(CreateFontW(10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial"));
    DeleteObject(CreateRoundRectRgn(0, 0, 4, 4, 0, 0));
    EXPECT_EQ(counting.Count(), 5);
}

TEST(PaintAllocation, APaintOfAnUnchangedReadoutAllocatesNothingAndMakesNoGdiObject) {
    ResetTimerState();
    HWND window = timerState.mainWindow;
    InvalidateReadout();
    UpdateWindow(window);  // the readout as it stands is drawn once
    PumpMessages();
    CountGdiObjects gdiObjects;
    CountAllocations allocations;
    for (int i = 0; i < 50; ++i) {
        InvalidateReadout();
        UpdateWindow(window);
    }
    EXPECT_EQ(allocations.Count(), 0);
    EXPECT_EQ(gdiObjects.Count(), 0);
}
