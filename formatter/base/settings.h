// The settings record: the value of every switch of brelm, with its defaults
// (setdefaults) and the all-off state of the -0 switch (setalloff).
#pragma once

#include "autoarray.h"
#include "replacefile.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct settings;

// A node of the -ifs keyword tree: the block that a statement beginning ends at this
// node applies (-1 for none), and the keywords that may follow.
struct ifsnode {
    int32_t index = -1;
    std::map<std::string, ifsnode> children;
};

// How a switch takes its value. An entry recorded inside an -ifs block is one of flagkind,
// numberkind, stringkind or alloffkind.
enum switchkind : int32_t {
    novaluekind = 0,      // a switch without a value of its own (-h, -ei, -x, ...)
    numberkind = 1,       // a number: its handler or its field takes it
    numberfieldkind = 2,  // a number whose field and default stand in the switch object
    stringkind = 3,       // a text: its handler or its field takes it (-ifs: its block handler)
    flagkind = 6,         // a plain flag, 0 or 1
    onflagkind = 7,       // a flag whose handler runs when it is switched on
    actionkind = 8,       // an action: its flag is 1 only while its handler runs
    alloffkind = 9,       // the -0 switch
};

// One switch recorded inside an -ifs block: a flag or a number writes numberfield, a text
// textfield, and -0 turns everything off.
struct ifsentry {
    std::string name;
    switchkind kind = novaluekind;
    int32_t number = 0;
    std::string text;
    int32_t settings::*numberfield = nullptr;
    std::string settings::*textfield = nullptr;
};
using ifsblock = std::vector<ifsentry>;

// An input that a mask's listing found: the file it was then, whether its name was a
// symbolic link (only a plain mask lists links), and the length of the name's leading part
// that the user named (the mask's folder).
struct listedfile {
    fileidentity identity;
    bool link = false;
    int32_t namedlength = -1;
};

// Every field is named after its switch ("sbi.ml" is sbi_ml). Flags hold 0 or 1.
struct settings {
    // Input and output names and the pair lists.
    autoarray<std::string> inputfiles, outputfiles, recursionbases;
    // Per pair: the listing's file for an input a mask found; for an output name the
    // program derived, the length of its leading part that the user named (-1: the user
    // named it all), after which no link is followed.
    autoarray<listedfile> listedinputs;
    autoarray<int32_t> outputnamedlengths;
    int32_t fileindex = 0;
    std::string inputfile, outputfile, inputfilealias, outputfilealias;
    listedfile listedinput;          // of the current pair
    int32_t outputnamedlength = -1;  // of the current pair
    std::string oe;
    int32_t sl = 0, el = 0;
    std::string cs;

    // Tabs and indentation.
    std::vector<int32_t> t;
    int32_t ut = 0, uts = 0;
    std::string is;
    int32_t in = 0;
    autoarray<int32_t> il;
    int32_t sit = 0, ctis = 0;

    // Case of keywords and identifiers.
    int32_t uk = 0, ck = 0, lk = 0, li = 0, ui = 0, ci = 0;
    std::map<std::string, std::string> si;
    int32_t sigiven = 0;

    // Column limit.
    int32_t mcs = 0, amso = 0, asc = 0, amc = 0, abusc = 0, abuc = 0, acoslc = 0, aci = 0, acs = 0;

    // Spaces, indentation rules and alignment.
    int32_t c = 0, co = 0, sao = 0, rsaob = 0, rsbcb = 0, ncb = 0, rs = 0;
    int32_t id = 0, iaew = 0, iacw = 0, iac = 0, isc = 0, isc2 = 0, iic = 0, iibe = 0, itlwb = 0;
    int32_t ni = 0, iiie = 0, eiib = 0, brei = 0, clb = 0, continuationindent = 0;
    int32_t actv = 0, ps = 0, acav = 0, acev = 0, acarv = 0, pcr = 0;
    int32_t as = 0, au = 0, aaw = 0, ac = 0, aroa = 0, pius = 0, plouwh = 0, bus = 0, rask = 0;
    int32_t actvct = 0, aav = 0, bbj = 0, isis = 0, ins = 0, iu = 0, iaw = 0;
    int32_t milipl = 0, mlipl = 0, buml = 0, rael = 0;

    // Line breaks kept or removed.
    int32_t mlacd = 0, rlacd = 0, mlai = 0, rlai = 0, mlaf = 0, rlaf = 0, mlaw = 0, rlaw = 0;
    int32_t mlal = 0, rlal = 0, mlafu = 0, rlafu = 0, mlapr = 0, rlapr = 0, mlapa = 0, rlapa = 0;
    int32_t dbvn = 0, kitt = 0, kwlt = 0, kflt = 0, kpit = 0, kwtt = 0;

    // Block and insert information.
    int32_t sbi = 0, sbi_ml = 0;
    std::string sbi_m;
    int32_t sbi_max = 0, rbi = 0, sic = 0;
    std::string sic_m;
    int32_t ric = 0;

    // Conditional switch blocks (-ifs ... -ei).
    char inifsblock = 0;
    std::map<std::string, ifsnode> ifskeywords;
    std::vector<ifsblock> ifsblocks;
    int32_t ifsib = 0, ifsl = 0;

    // Checks, messages and the run.
    int32_t np = 0, cmk = 0, x = 0, v = 0, sf = 0, rl = 0, sr = 0, ss = 0;
    int32_t b = 0;
    std::string bdir, ls;
    int32_t gsfif = 0;
    std::set<std::string> ae;
    int32_t sw = 0, swx = 0, pl = 0, plo = 0, mte = 0, soe = 0, w = 0;

    // Style presets (set only while their action runs).
    int32_t al = 0, ar = 0, ai = 0, lsql = 0, rsql = 0, isql = 0, alol = 0, ol = 0;

    // Html output.
    int32_t html = 0;
    std::string ht;
    std::map<std::string, std::string> tag;

    // Preprocessing.
    int32_t pp = 0;
    std::vector<std::string> pp_I;
    std::map<std::string, std::string> pp_D;
    std::vector<std::string> pp_pf;
    int32_t pp_clp = 0, pp_cpfl = 0, pp_cmd = 0, pp_ld = 0, pp_ild = 0, pp_kld = 0;

    // Switches without a help line.
    int32_t str = 0, ct = 0, lt = 0, l = -1;
    std::string slsf, e, ctext;
};

// The defaults of every field that is not set at the start of each parse.
void setdefaults(settings& s);
// The -0 switch; a non-zero clearifs also empties the -ifs keyword tree.
void setalloff(settings& s, int clearifs);
// The backup directory by default: TMP, else TMPDIR, else privatebackupdirectory(); a
// relative TMP or TMPDIR counts as unset.
std::string defaultbackupdirectory();
// "/tmp/brelm-UID": the user's own folder in the shared /tmp, kept with mode 0700.
std::string privatebackupdirectory();
