# The two commands: `make run` builds and starts the program in a demo archive; `make test`
# builds and runs every test, once plainly and once under ASan and UBSan.
BUILD      ?= build
BUILD_SAN  ?= build-san
BUILD_FUZZ ?= build-fuzz
GENERATOR  ?= Ninja
JOBS       ?= $(shell nproc)

.PHONY: run test deps build build-san demo clean fuzz lint bench

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-san: deps
	cmake -S . -B $(BUILD_SAN) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DZT_SANITIZE=ON -DZT_BUILD_BENCH=OFF
	cmake --build $(BUILD_SAN) -j $(JOBS)

demo: build
	rm -rf $(BUILD)/demo
	scripts/make-demo-archive $(BUILD)/demo

run: demo
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "run: no display (DISPLAY and WAYLAND_DISPLAY are empty); running zelivar-tagger-cli instead"; \
	  cd $(BUILD)/demo && ../cli/zelivar-tagger-cli; echo "exit status $$?"; \
	else \
	  echo "run: opening the window in $(BUILD)/demo"; \
	  cd $(BUILD)/demo && ../app/qt/zelivar-tagger; \
	fi

test: build build-san lint fuzz
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ctest --test-dir $(BUILD_SAN) --output-on-failure -j $(JOBS)

# Static checks over what the plain build compiles.
lint: build
	JOBS=$(JOBS) scripts/lint $(BUILD)

# The fuzz targets, built by clang, each run briefly from its seed corpus.
fuzz: deps
	cmake -S . -B $(BUILD_FUZZ) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DZT_FUZZ=ON -DZT_BUILD_TESTS=OFF -DZT_BUILD_BENCH=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target zt_fuzz_song_title zt_fuzz_tag_check
	ctest --test-dir $(BUILD_FUZZ) --output-on-failure -j $(JOBS)

# The front end against a plain loop of the same system calls, then at growing scale.
bench: build
	$(BUILD)/bench/zt-bench

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_FUZZ)

# Windows: both architectures cross-built with mingw-w64 and their tests run under Wine, each
# build folder with its own Wine prefix (made once, about 20 s). The 32-bit tests need 32-bit
# Wine; where it is missing that variant is only built.
BUILD_WIN64 ?= build-win64
BUILD_WIN32 ?= build-win32
WINE_RUN    := cmake/wine-run

.PHONY: build-win64 build-win32 test-windows package-windows

build-win64: deps
	cmake -S . -B $(BUILD_WIN64) -G $(GENERATOR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_BUILD_BENCH=OFF
	cmake --build $(BUILD_WIN64) -j $(JOBS)

build-win32: deps
	cmake -S . -B $(BUILD_WIN32) -G $(GENERATOR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_BUILD_BENCH=OFF
	cmake --build $(BUILD_WIN32) -j $(JOBS)

# The wine server and the prefix's services are started before ctest, detached from its pipes,
# and ended after it whatever the result.
define wine_ctest
	$(WINE_RUN) $(1)/wine --start
	status=0; ctest --test-dir $(1) --output-on-failure -j $(JOBS) || status=$$?; \
	  $(WINE_RUN) $(1)/wine --stop; exit $$status
endef

test-windows: build-win64 build-win32
	$(call wine_ctest,$(BUILD_WIN64))
	@if dpkg-query -W -f='$${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then \
	  $(MAKE) --no-print-directory test-win32; \
	else echo "test-windows: no 32-bit Wine here: $(BUILD_WIN32) is built, not run"; fi

.PHONY: test-win32
test-win32:
	$(call wine_ctest,$(BUILD_WIN32))

# The ZIPs with the two static programs, in each build folder.
package-windows: build-win64 build-win32
	cd $(BUILD_WIN64) && cpack
	cd $(BUILD_WIN32) && cpack

test: test-windows package-windows

.PHONY: clean-windows
clean-windows:
	-$(WINE_RUN) $(BUILD_WIN64)/wine --stop
	-$(WINE_RUN) $(BUILD_WIN32)/wine --stop
	rm -rf $(BUILD_WIN64) $(BUILD_WIN32)

clean: clean-windows
