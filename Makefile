# Quenmark: top-level commands. `make run` and `make test` do all set-up.
BUILD      ?= build
BUILD_SAN  ?= build-san
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all setup configure build run test sanitize bench package install screens clean

all: build

setup:
	@sh tools/setup-debian.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)

configure: setup $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/quenmark

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Address and undefined-behaviour sanitizers over the whole suite.
sanitize: setup
	cmake -S . -B $(BUILD_SAN) -DCMAKE_BUILD_TYPE=Debug -DQUENMARK_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)
	cd $(BUILD_SAN) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package: quenmark_<version>_<arch>.deb in $(BUILD)/; install it with
# `sudo apt install ./$(BUILD)/quenmark_*.deb`.
package: build
	cd $(BUILD) && cpack -G DEB
	@ls -1 $(BUILD)/quenmark_*.deb

# Installs the programs, the desktop entry, the icon, the metainfo, the manual pages and the
# documents under PREFIX (default /usr/local; DESTDIR is honoured).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Every screen and page as a PNG in $(BUILD)/screens/ (and the README's pictures in docs/screens/).
screens: build
	sh tools/screens/update-docs.sh $(BUILD)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) $(BUILD_SAN)
