# Quick start: `make run` and `make test`. Both install what is missing first.

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
SIM_PORT ?= auto

# Debian packages needed to build, test and run.
PACKAGES := cmake make g++ pkg-config qtbase5-dev libqt5serialport5-dev libqt5svg5-dev \
            libbenchmark-dev xvfb xauth socat dpkg-dev ansible-core poppler-utils
# What checking the Debian package needs besides.
PACKAGE_CHECK_PACKAGES := lintian desktop-file-utils appstream x11-utils imagemagick man-db

.PHONY: all deps build test run sim bench fuzz clean format package package-check

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" -ne 0 ] && SUDO=sudo; \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

# The suite runs in a network namespace whose only interface is loopback, so
# that no test's multicast join or search leaves the machine. The tool runs
# the suite plainly where it cannot make a namespace; without the tool the
# suite runs plainly too.
LOOPBACK_NETNS ?= $(wildcard $(abspath ../shared/tools/loopback-netns))
# A command that runs the suite's command line given to it, in $(BUILD) and
# inside the namespace (CI runs the suite beside a running utility this way).
TEST_RUNNER ?=

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen $(LOOPBACK_NETNS) $(TEST_RUNNER) ctest --output-on-failure -j$(JOBS)

run: build
	@./scripts/run.sh $(BUILD) $(SIM_PORT)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# One .deb with the programs, desktop entry, icon, metainfo and man pages.
package: build
	cd $(BUILD) && rm -f zor-setup_*.deb && cpack

# Lints, installs and starts the package (needs root or sudo).
package-check: package
	@$(MAKE) --no-print-directory deps EXTRA_PACKAGES="$(PACKAGE_CHECK_PACKAGES)"
	./scripts/check-package.sh $(BUILD)
