# Set-up, build and test on Debian 12. As root, missing packages are installed;
# otherwise the exact apt-get line is printed.
PACKAGES := cmake ninja-build g++ libpcre2-dev libgtest-dev libgmock-dev
BUILD    := build
JOBS     := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
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

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) >&2

run: build
	@$(BUILD)/bin/brelm -i examples/sample.sql -o stdout

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
