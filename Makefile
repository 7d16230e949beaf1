# The user's interface to the project: `make run`, `make test`, `make bench`, `make install`
# (PREFIX=/usr/local by default, DESTDIR honoured), `make uninstall`, `make deb`.
# `make test SAN=1` builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# `make test SAN=thread` with ThreadSanitizer, each in a build folder of its own.

SAN ?=
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

ifeq ($(SAN),)
  BUILD := build/release
  CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Release
else ifeq ($(SAN),thread)
  BUILD := build/tsan
  CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFRETLO_SANITIZE=thread -DFRETLO_BENCH=OFF
else
  BUILD := build/asan
  CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFRETLO_SANITIZE=address -DFRETLO_BENCH=OFF
endif

ifneq ($(CI),)
  CMAKE_FLAGS += -DFRETLO_WERROR=ON
endif

# ccache with the checkout as its base folder, so clones and work trees in other folders
# share one cache.
ifneq ($(shell command -v ccache 2>/dev/null),)
  CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR := $(CURDIR)
  export CCACHE_NOHASHDIR := 1
endif

.PHONY: all deps configure build run test bench fuzz format clean install uninstall deb

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/app/fretlo "$(BUILD)/share/fretlo/Demo Songs/Demo.frl"

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; "$$b" || exit 1; done

# The list of installed files (with DESTDIR) is kept for uninstall; a package build rewrites
# CMake's own.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
	sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt >$(BUILD)/installed-files.txt

uninstall:
	cmake -DMANIFEST=$(BUILD)/installed-files.txt $(if $(DESTDIR),-DSTAGED=ON) -P cmake/Uninstall.cmake

# A Debian package of the release build: build/release/fretlo_<version>_<arch>.deb.
deb: build
	cd $(BUILD) && cpack -G DEB

# libFuzzer targets need clang; they get a build folder of their own.
fuzz: deps
	CXX=clang++-16 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DFRETLO_FUZZ=ON -DFRETLO_GUI=OFF -DFRETLO_TESTS=OFF -DFRETLO_BENCH=OFF -DFRETLO_SANITIZE=address
	cmake --build build/fuzz -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
