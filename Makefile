# Set-up, build and test on Debian 12. As root, missing packages are installed;
# otherwise the exact apt-get line is printed.
PACKAGES := cmake ninja-build g++ libpcre2-dev libgtest-dev libgmock-dev qt6-base-dev xvfb xauth clang-format
# Only the fuzz targets need clang and its libFuzzer runtime.
FUZZPACKAGES := clang libclang-rt-14-dev
BUILD    := build
# The first stage of the optimised build: programs that record where formatting spends its time.
TRAINBUILD := build-train
PROFILEDIR := $(CURDIR)/$(TRAINBUILD)/profile
SANITIZEBUILD := build-sanitize
# A Debug build without profile training or link-time optimisation, for a fast edit-test loop.
CHECKBUILD := build-check
FUZZBUILD := build-fuzz
JOBS     := $(shell nproc 2>/dev/null || echo 2)
# Seconds each fuzz target runs under `make fuzz`.
FUZZTIME := 60
SANITIZERUNTIME := ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1:detect_stack_use_after_return=1 \
                   UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps fuzzdeps train configure build run test check sanitize fuzz bench format clean

all: build

# $(call installmissing,PACKAGES): installs those not installed yet (as root), else says how.
define installmissing
missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	  else \
	    echo "Missing packages; install them with:"; \
	    echo "  sudo apt-get install -y$$missing"; \
	    exit 1; \
	  fi; \
	fi
endef

deps:
	@$(call installmissing,$(PACKAGES))

fuzzdeps: deps
	@$(call installmissing,$(FUZZPACKAGES))

# brelm and marlox built to record a profile format the sample texts; the Release build
# below is optimised with that profile.
train: deps
	@cmake -S . -B $(TRAINBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRELM_PGO=generate \
	  -DBRELM_PGO_DIR=$(PROFILEDIR) >/dev/null
	@cmake --build $(TRAINBUILD) -j $(JOBS) --target brelm marlox makeplsql >&2
	@rm -rf $(PROFILEDIR)
	@bench/trainprofile $(TRAINBUILD)/bin

configure: train
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRELM_PGO=use \
	  -DBRELM_PGO_DIR=$(PROFILEDIR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) >&2

run: build
	@$(BUILD)/bin/brelm -i examples/sample.sql -o stdout

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The whole test suite in a plain Debug build: quicker to build than make test's optimised one.
check: deps
	@cmake -S . -B $(CHECKBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(CHECKBUILD) -j $(JOBS) >&2
	@ctest --test-dir $(CHECKBUILD) --output-on-failure -j $(JOBS)

# The whole test suite built and run under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B $(SANITIZEBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRELM_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZEBUILD) -j $(JOBS) >&2
	@$(SANITIZERUNTIME) ctest --test-dir $(SANITIZEBUILD) --output-on-failure -j $(JOBS)

# Each libFuzzer target for FUZZTIME seconds; fails on a crash, leak, timeout or sanitizer report.
fuzz: fuzzdeps
	@cmake -S . -B $(FUZZBUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRELM_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZBUILD) -j $(JOBS) --target fuzztargets >&2
	@$(SANITIZERUNTIME) fuzz/runfuzz $(FUZZBUILD) $(FUZZTIME)

# MB/s and peak memory of brelm on generated inputs of 1, 4 and 16 MB (Release build).
bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target brelmbench >&2
	@$(BUILD)/bin/brelmbench

# Lays out every C++ source as .clang-format says; make test fails on a source that is not.
format: deps
	@tests/formatcheck.sh --fix .

clean:
	rm -rf $(BUILD) $(TRAINBUILD) $(CHECKBUILD) $(SANITIZEBUILD) $(FUZZBUILD)
