// Test fixture for the switch machinery: a fresh default record with the switch table built.
#pragma once

#include "settings.h"
#include "switchtable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class switchfixture : public ::testing::Test {
protected:
    void SetUp() override {
        buildswitchtable();
        setdefaults(s);
        applyoptiondefaults(s);
    }

    // Runs a flag switch's handler the way the parser does for the bare switch.
    std::string runhandler(const std::string& name, int32_t value = 1) {
        const switchobject* object = findswitchobject(name);
        EXPECT_NE(object, nullptr) << name;
        if (object == nullptr || object->onnumber == nullptr) return "no handler";
        return object->onnumber(name, value, s);
    }

    std::string runtext(const std::string& name, const std::string& text) {
        const switchobject* object = findswitchobject(name);
        EXPECT_NE(object, nullptr) << name;
        if (object == nullptr || object->ontext == nullptr) return "no handler";
        return object->ontext(name, text, s);
    }

    // Opens an empty block the way -ifs does.
    void openblock() {
        s.ifsblocks.emplace_back();
        s.inifsblock = 1;
    }

    const ifsblock& lastblock() const { return s.ifsblocks.back(); }

    settings s;
};
