// The shape manager's state and banks: the blend table, loading with the byte-order conversion and the
// check of every offset and count, and the placement rectangles.
#include "MemHandle.h"
#include "PrsFile.h"
#include "Res.h"
#include "ShapeAccess.h"
#include "ShapeBlend.h"
#include "ShapePlace.h"

namespace {

constexpr ResType kXpkType = resType("XPK");

std::uint8_t* blendTable = nullptr;

// True when the loaded bank reads in native order and every offset and count in it lies in its block.
bool nativeAndSound(MemHandle handle) {
    const auto* bytes = static_cast<const std::uint8_t*>(MemHandleLock(handle));
    if (!bytes) return false;
    const bool sound = !ByteOrderNeedsSwap(ByteOrderReadMarker(bytes)) &&
                       xpkBankCheck(bytes, MemHandleGetSize(handle), kXpkNativeOrder);
    MemHandleUnlock(handle);
    return sound;
}

}  // namespace

BankAccess::BankAccess(ShapeBank bank) : handle_(bank) {
    const void* bytes = bank ? MemHandleLock(bank) : nullptr;
    if (!bytes) {
        handle_ = 0;
        return;
    }
    open_ = view_.open(bytes, MemHandleGetSize(bank));
}

BankAccess::~BankAccess() {
    if (handle_) MemHandleUnlock(handle_);
}

bool BankAccess::place(std::uint16_t index, std::int16_t x, std::int16_t y, std::uint16_t flags, XpkShape* shape,
                       Rect* image) const {
    if (!open_ || !view_.shape(index, shape)) return false;
    shapeImageRect(image, shape->desc, x, y, flags);
    return true;
}

const std::uint8_t* shapeBlendTable() { return blendTable; }

std::int16_t ShapeMgrInit() {
    if (blendTable) return 1;
    blendTable = static_cast<std::uint8_t*>(MemPtrAlloc(kBlendTableSize));
    if (!blendTable) return 0;
    shapeBlendTableFill(blendTable);
    return 1;
}

void ShapeMgrTerm() {
    void* table = blendTable;
    if (table) MemPtrFree(&table);
    blendTable = nullptr;
}

ShapeBank ShapeBankLoad(std::uint16_t id) {
    MemHandle handle = ByteOrderLoad(kXpkType, id, ShapeBankSwap);
    if (!handle) return 0;
    if (!nativeAndSound(handle)) {
        MemHandleFree(&handle);
        return 0;
    }
    ResSetResident(handle, 1);
    return handle;
}

void ShapeBankFree(ShapeBank* bank) {
    if (bank && *bank) MemHandleFree(bank);
}

void ShapeBankSwap(void* data) {
    // The conversion is handed only the block's address; its length comes from the handle that holds it.
    const MemHandle handle = MemHandleFromPtr(data);
    if (handle) xpkBankSwap(static_cast<std::uint8_t*>(data), MemHandleGetSize(handle));
}

std::uint16_t ShapeBankCount(ShapeBank bank) {
    BankAccess access(bank);
    return access ? access.bank().count() : 0;
}

void ShapeGetFrameRect(Rect* out, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                       std::uint16_t flags) {
    RectSetEmpty(out);
    BankAccess access(bank);
    XpkShape shape;
    if (access && access.bank().shape(index, &shape)) shapeFrameRect(out, shape.desc, x, y, flags);
}

void ShapeGetImageRect(Rect* out, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                       std::uint16_t flags) {
    RectSetEmpty(out);
    BankAccess access(bank);
    XpkShape shape;
    access.place(index, x, y, flags, &shape, out);
}
