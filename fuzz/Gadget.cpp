#include "Gadget.h"

namespace fuzz {

using namespace toolkit;
using Strings = std::vector<std::string>;

Gadget::Gadget(Component* owner)
    : Component(owner), slots_{10, false, 0, 0u, std::string(), Strings(), static_cast<Gadget*>(nullptr)}
{
}

const MetaClass Gadget::classInfo(
    "TGadget", Component::classInfo, sizeof(Gadget), createInstance<Gadget>,
    {integerProperty("Size", &Gadget::get<int, Size>, &Gadget::set<int, Size>, {{"gsLarge", 100}}),
     booleanProperty("Active", &Gadget::get<bool, Active>, &Gadget::set<bool, Active>),
     enumProperty("Shape", {"gsRound", "gsSquare", "gsStar"}, &Gadget::get<int, Shape>, &Gadget::set<int, Shape>),
     setProperty("Options", {"goA", "goB", "goC"}, &Gadget::get<unsigned, Options>, &Gadget::set<unsigned, Options>),
     textProperty("Caption", &Gadget::get<std::string, Caption>, &Gadget::set<const std::string&, Caption>),
     stringsProperty("Lines", &Gadget::get<Strings, Lines>, &Gadget::set<const Strings&, Lines>),
     referenceProperty("Partner", &Gadget::get<Gadget*, Partner>, &Gadget::set<Gadget*, Partner>),
     eventProperty("OnPoke", &Gadget::onPoke)});

const MetaClass Shelf::classInfo("TShelf", Gadget::classInfo, sizeof(Shelf), createInstance<Shelf>, {});

} // namespace fuzz
