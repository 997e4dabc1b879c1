MAKEFLAGS += --no-print-directory
# The two commands of the README:
#   make test   sets the machine up, builds the host and the Windows
#               configuration and runs every test of both;
#   make run    sets up, builds and starts the program under Wine.
BUILD ?= build
HOST := $(BUILD)/host
WIN := $(BUILD)/win
JOBS ?= $(shell nproc)

.PHONY: all setup host win test run clean

all: host win

setup:
	@bash tools/setup.sh

host: setup
	@cmake -S . -B $(HOST) >/dev/null
	@cmake --build $(HOST) -j$(JOBS)

win: setup
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(WIN) -j$(JOBS)

# Both test runs always run; the target fails when either has a failure.
test: host win
	@status=0; \
	echo "== host tests =="; \
	ctest --test-dir $(HOST) --output-on-failure -j$(JOBS) || status=1; \
	echo "== Windows tests (under Wine) =="; \
	ctest --test-dir $(WIN) --output-on-failure -j$(JOBS) || status=1; \
	exit $$status

run: win
	@sh tools/run.sh $(WIN)

clean:
	rm -rf $(BUILD)

# The window figures (start-up and trackbar-step ratios, exe size, imports).
.PHONY: bench-window screenshot
bench-window: win
	@sh tools/bench-window.sh $(WIN)

# docs/window.png, the README's picture of the window as it opens.
screenshot: win
	@sh tools/screenshot.sh $(WIN) docs/window.png
