// What foreign code reads of a component: the first word of its client
// face is a class reference, with the class descriptor's fields at fixed
// negative offsets from it.
#include "toolkit/controls/Buttons.h"
#include "toolkit/controls/Label.h"
#include "toolkit/forms/Form.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

using namespace toolkit;

template <typename T>
T at(const void* classReference, int offset)
{
    T value;
    std::memcpy(&value, static_cast<const char*>(classReference) + offset, sizeof value);
    return value;
}

std::string shortString(const void* address)
{
    const auto* bytes = static_cast<const unsigned char*>(address);
    return std::string(reinterpret_cast<const char*>(bytes + 1), bytes[0]);
}

const void* classOf(const void* object)
{
    return at<const void*>(object, 0);
}

TEST(ClassDescriptor, FieldsLieAtTheirOffsetsFromTheClassReference)
{
    Form owner(nullptr);
    auto* box = new CheckBox(&owner);
    const void* face = box->clientFace();
    const void* cls = classOf(face);

    EXPECT_EQ(at<const void*>(cls, -76), cls);
    EXPECT_EQ(shortString(at<const void*>(cls, -44)), "TCheckBox");
    EXPECT_EQ(at<std::int32_t>(cls, -40), static_cast<std::int32_t>(sizeof(CheckBox)));

    const void* typeRecord = at<const void*>(cls, -60);
    ASSERT_NE(typeRecord, nullptr);
    EXPECT_EQ(*static_cast<const unsigned char*>(typeRecord), 7);  // class
    EXPECT_EQ(shortString(static_cast<const char*>(typeRecord) + 1), "TCheckBox");
}

TEST(ClassDescriptor, ParentCellsLeadToTheRootClass)
{
    Form owner(nullptr);
    auto* label = new Label(&owner);
    std::vector<std::string> chain;
    const void* cls = classOf(label->clientFace());
    while (cls) {
        chain.push_back(shortString(at<const void*>(cls, -44)));
        const auto* parentCell = at<const void* const*>(cls, -36);
        cls = parentCell ? *parentCell : nullptr;
    }
    EXPECT_EQ(chain, (std::vector<std::string>{"TLabel", "TControl", "TComponent", "TObject"}));
}

TEST(ClassDescriptor, RootClassHasNoTypeRecordInItsDescriptor)
{
    const void* root = objectClass().classReference();
    EXPECT_EQ(at<const void*>(root, -60), nullptr);
    EXPECT_EQ(at<const void*>(root, -36), nullptr);
    const auto* record = static_cast<const unsigned char*>(objectTypeRecord().address());
    EXPECT_EQ(record[0], 7);
    EXPECT_EQ(shortString(record + 1), "TObject");
}

TEST(ClassDescriptor, FaceMapsBackToItsComponent)
{
    Form owner(nullptr);
    auto* label = new Label(&owner);
    EXPECT_EQ(Component::fromClientFace(label->clientFace()), label);
    EXPECT_EQ(&MetaClass::fromClassReference(classOf(label->clientFace())), &Label::classInfo);
    EXPECT_EQ(Component::fromClientFace(nullptr), nullptr);
}

} // namespace
