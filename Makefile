# The two commands: `make run` builds and starts the program in a demo archive; `make test`
# builds and runs every test, once plainly and once under ASan and UBSan.
BUILD      ?= build
BUILD_SAN  ?= build-san
GENERATOR  ?= Ninja
JOBS       ?= $(shell nproc)

.PHONY: run test deps build build-san demo clean

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

test: build build-san
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ctest --test-dir $(BUILD_SAN) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD_SAN)
