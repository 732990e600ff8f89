#include "toolkit/system/ControlAtom.h"

#include "toolkit/core/Error.h"

namespace toolkit {

namespace {

const ControlAtom* currentOwner = nullptr;

} // namespace

ControlAtom::ControlAtom(HINSTANCE instance, DWORD threadId)
{
    const std::string name = format("ControlOfs%.8X%.8X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(instance)),
                                    static_cast<unsigned>(threadId));
    atom_ = GlobalAddAtomA(name.c_str());
    if (!currentOwner) currentOwner = this;
}

ControlAtom::~ControlAtom()
{
    if (currentOwner == this) currentOwner = nullptr;
    if (atom_) GlobalDeleteAtom(atom_);
}

ATOM ControlAtom::current()
{
    return currentOwner ? currentOwner->atom_ : 0;
}

} // namespace toolkit
