# The two commands a newcomer needs on a fresh Debian 12 machine:
#   make run    installs what is missing, builds the game and its data (no tests) and starts it
#   make test   installs what is missing, builds and runs every test
# (normal build, then AddressSanitizer + UBSan, then ThreadSanitizer for the threaded tests,
# then 30 seconds of each libFuzzer target, then the web page in headless Chromium)
#   make deb    installs what is missing and builds the Debian package into build-deb/
#   make web    builds the game as a web page into build-web/; make web-serve serves it

JOBS ?= $(shell nproc)
# CI's builds (CI is set there) treat every warning as an error.
CMAKE_FLAGS ?= $(if $(CI),-DKERBO_WERROR=ON,)

.PHONY: run test deps build build-game build-asan build-tsan build-fuzz bench deb web web-serve test-web clean

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	cmake --build build -j $(JOBS)

# Only what playing needs: the program, its levels, images and sounds.
build-game: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	cmake --build build -j $(JOBS) --target kerbo levels data_setup

run: build-game
	cd build/data && ../kerbo

build-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKERBO_SANITIZE=address $(CMAKE_FLAGS) >/dev/null
	cmake --build build-asan -j $(JOBS)

build-tsan: deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKERBO_SANITIZE=thread -DKERBO_DATA=OFF $(CMAKE_FLAGS) >/dev/null
	cmake --build build-tsan -j $(JOBS) --target tsan_tests

# The fuzz targets, built by clang from only the sources each one needs.
build-fuzz: deps
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	      -DKERBO_FUZZ=ON -DKERBO_DATA=OFF -DKERBO_BENCH=OFF -DBUILD_TESTING=OFF $(CMAKE_FLAGS) >/dev/null
	cmake --build build-fuzz -j $(JOBS) --target fuzzers

# The normal suite runs last so that its summary closes the output.
test: build build-asan build-tsan build-fuzz web
	cd build-asan && ctest --output-on-failure -j $(JOBS) -LE slow
	cd build-tsan && ctest --output-on-failure -j $(JOBS) -L threads
	cd build-fuzz/fuzz && ctest --output-on-failure -j $(JOBS)
	cd build && KERBO_WEB_PAGE=$(CURDIR)/build-web ctest --output-on-failure -L web
	cd build && ctest --output-on-failure -j $(JOBS) -LE web

bench: build
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build build-release -j $(JOBS)
	for b in build-release/bench/*_bench; do $$b; done

# kerbo_<version>_<arch>.deb, built from a copy of the tracked files and checked by lintian.
deb: deps
	JOBS=$(JOBS) tools/make-deb.sh build-deb

# The game as a web page (web/): the libraries are built once into build-web/cache.
web: build-game
	@tools/install-deps.sh web
	JOBS=$(JOBS) tools/web-build.sh build-web

# The web page in headless Chromium (label web; make test runs it too; the
# libraries' first build takes about 5 minutes here, 20 on a busy machine).
test-web: web
	cd build && KERBO_WEB_PAGE=$(CURDIR)/build-web ctest --output-on-failure -L web

# Serves build-web/ on 127.0.0.1 (PORT, 8025 unless given) and prints the address.
PORT ?= 8025
web-serve: web
	web/serve.py build-web $(PORT)

clean:
	rm -rf build build-asan build-tsan build-fuzz build-release build-deb build-web
