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
