// Test fixture: a scratch folder whose "bin" stands for the program's own directory, so
// that a "brelm.cfg" written there is the configuration file of the run.
#pragma once

#include "globals.h"
#include "scratchtree.h"

class configfolder : public scratchtree {
protected:
    void SetUp() override {
        scratchtree::SetUp();
        savedprogramdirectory = programdirectory;
        programdirectory = root + "/bin";
        std::filesystem::create_directories(programdirectory);
    }
    void TearDown() override {
        programdirectory = savedprogramdirectory;
        scratchtree::TearDown();
    }

private:
    std::string savedprogramdirectory;
};
