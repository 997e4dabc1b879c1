MAKEFLAGS += --no-print-directory
# The two commands of the README:
#   make test   sets the machine up, builds the host configuration and both
#               Windows ones, and runs every test this machine can run;
#   make run    sets up, builds and starts the program under Wine: the
#               32-bit build where this machine runs 32-bit code, otherwise
#               the 64-bit one.
BUILD ?= build
HOST := $(BUILD)/host
WIN := $(BUILD)/win
WIN64 := $(BUILD)/win64
FUZZ := $(BUILD)/fuzz
JOBS ?= $(shell nproc)

.PHONY: all setup host win win64 test run clean

all: host win win64

# Once per command: the makes that a target starts inside it skip it.
setup:
	@[ $(MAKELEVEL) -gt 0 ] || bash tools/setup.sh

host: setup
	@cmake -S . -B $(HOST) >/dev/null
	@cmake --build $(HOST) -j$(JOBS)

# The 32-bit build, the program shipped first.
CONFIGURE_WIN = cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
win: setup
	@$(CONFIGURE_WIN)
	@cmake --build $(WIN) -j$(JOBS)

# The 64-bit build. It also holds the checks of the 32-bit programs that need
# no execution (labelled win32-static), for machines that cannot run them.
CONFIGURE_WIN64 = cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
  -DRNRR_WIN32_PROGRAMS=$(abspath $(WIN))/bin >/dev/null
win64: setup
	@$(CONFIGURE_WIN64)
	@cmake --build $(WIN64) -j$(JOBS)

# The stages of the tests, each a target of its own (tools/bench-test.sh
# times them): `make test` runs every one, whatever fails, and fails when any
# has a failure. CTest runs TEST_JOBS cases at a time, each end-to-end case on
# a display and in a Wine prefix of its own. The 32-bit suite runs where the
# 32-bit loader really starts; elsewhere one line says why it was left out,
# and the 32-bit programs get their static checks.
TEST_BUILDS := host win win64 web fuzz-build
TEST_STAGES := test-host test-fuzz test-win64 test-win32 test-web test-model
TEST_JOBS ?= $(JOBS)
.PHONY: $(TEST_STAGES)
test: $(TEST_BUILDS)
	@status=0; for stage in $(TEST_STAGES); do $(MAKE) $$stage || status=1; done; exit $$status

test-host:
	@echo "== host tests =="
	@ctest --test-dir $(HOST) --output-on-failure -j$(TEST_JOBS)

test-fuzz:
	@echo "== fuzz targets: their seed corpus, then $(FUZZ_TEST_SECONDS) s of fuzzing each =="
	@cmake -S tests/fuzz -B $(FUZZ) -DRNRR_FUZZ_SECONDS=$(FUZZ_TEST_SECONDS) >/dev/null
	@status=0; ctest --test-dir $(FUZZ) --output-on-failure -j$(TEST_JOBS) || status=1; \
	cat $(FUZZ)/work-*/figures.txt 2>/dev/null; exit $$status

test-win64:
	@echo "== 64-bit Windows tests (under 64-bit Wine) =="
	@ctest --test-dir $(WIN64) --output-on-failure -j$(TEST_JOBS) -LE win32-static

test-win32:
	@if why=$$(sh tools/can-run-32bit.sh); then \
	  echo "== 32-bit Windows tests (under 32-bit Wine) =="; \
	  ctest --test-dir $(WIN) --output-on-failure -j$(TEST_JOBS); \
	else \
	  echo "== 32-bit Windows tests left out: $$why =="; \
	  echo "== static checks of the 32-bit programs (read by the 64-bit build) =="; \
	  ctest --test-dir $(WIN64) --output-on-failure -j$(TEST_JOBS) -L win32-static; \
	fi

test-web:
	@echo "== web tests (module under node, page in Chromium, Firefox and WebKit) =="
	@$(WEB_TEST)

test-model:
	@echo "== the window, the tool and the page's module against the window model =="
	@node tests/model/front_ends.mjs $(HOST)/bin $(WEB) $(WIN64) \
	  $$(sh tools/can-run-32bit.sh >/dev/null && echo $(WIN))

# The time of each stage of `make test` (setup, each build, each test stage)
# in BUILD, measured on the real work: in a built tree, or in an empty BUILD
# for a first build. Prints the machine's load beside the figures.
.PHONY: bench-test stress-test
bench-test:
	@sh tools/bench-test.sh $(BUILD) $(JOBS) setup $(TEST_BUILDS) $(TEST_STAGES)

# The Windows suites and the page tests under load, STRESS_ROUNDS times in a
# row: two processes that only spin beside them, CTest at twice the cores.
# Prints each round's failed cases, and the count over all rounds.
STRESS_ROUNDS ?= 5
stress-test: host win win64 web
	@sh tools/stress-test.sh $(BUILD) $(JOBS) $(STRESS_ROUNDS)

# The Windows build this machine runs, win or win64: the 32-bit one first.
RUNNABLE = $$(sh tools/can-run-32bit.sh >/dev/null && echo win || echo win64)

run: setup
	@target=$(RUNNABLE); $(MAKE) $$target && sh tools/run.sh $(BUILD)/$$target

clean:
	rm -rf $(BUILD)

# The release: $(BUILD)/dist/rnrr-password-VERSION.zip with both builds'
# programs (only they are built), the players' README.txt and SHA256SUMS
# (release/make_zip.py). DIST_FOLDERS: more folders for the zip, each
# NAME=FOLDER, FOLDER made by `make NAME` first; DIST_FILES: files for the
# zip's top, each NAME=FILE, made by those makes too.
DIST_PROGRAMS := rnrr-password rnrr-pw
DIST_FOLDERS := web=$(BUILD)/web
DIST_FILES = rnrr-password.html=$(WEB_ONE_FILE)
.PHONY: dist check-reproducible
dist: setup
	@$(CONFIGURE_WIN) && cmake --build $(WIN) -j$(JOBS) --target $(DIST_PROGRAMS)
	@$(CONFIGURE_WIN64) && cmake --build $(WIN64) -j$(JOBS) --target $(DIST_PROGRAMS)
	@$(foreach f,$(DIST_FOLDERS),$(MAKE) $(firstword $(subst =, ,$(f))) &&) true
	@python3 release/make_zip.py $(WIN)/bin $(WIN64)/bin $(WIN)/version/version.h \
	  $(BUILD)/dist $(DIST_FOLDERS) $(DIST_FILES)

# Makes the release twice, from copies of the commit in two fresh folders one
# after the other, compares every file, then starts the 64-bit program of the
# unpacked zip under Wine (release/check-reproducible.sh).
check-reproducible: setup
	@sh release/check-reproducible.sh $(BUILD) $(JOBS)

# The window figures (start-up and trackbar-step ratios, exe size, imports)
# of both builds: the 32-bit one where this machine runs 32-bit code,
# otherwise one line says why it was left out.
.PHONY: bench-window screenshot screenshot-dialog
bench-window: setup
	@$(MAKE) win64 && echo "== 64-bit build ==" && sh tools/bench-window.sh $(WIN64)
	@if why=$$(sh tools/can-run-32bit.sh); then \
	  $(MAKE) win && echo "== 32-bit build ==" && sh tools/bench-window.sh $(WIN); \
	else \
	  echo "== 32-bit build left out: $$why =="; \
	fi

# docs/window.png, the README's picture of the window as it opens, at the
# display scale DPI (96, the default; docs/window-DPI.png for another).
DPI ?= 96
DPI_SUFFIX = $(if $(filter 96,$(DPI)),,-$(DPI))
screenshot: setup
	@target=$(RUNNABLE); $(MAKE) $$target && \
	  sh tools/screenshot.sh $(BUILD)/$$target docs/window$(DPI_SUFFIX).png show $(DPI)

# docs/dialog.png, the README's picture of the password dialog over the window
# (docs/dialog-DPI.png at another DPI).
screenshot-dialog: setup
	@target=$(RUNNABLE); $(MAKE) $$target && \
	  sh tools/screenshot.sh $(BUILD)/$$target docs/dialog$(DPI_SUFFIX).png show-dialog $(DPI)

# The web edition: the page, self-contained with relative addresses, in
# build/web, and the same page as one file that opens from disk,
# build/rnrr-password.html; serve-web shows the folder on 127.0.0.1;
# web-screenshots makes docs/web.png and docs/web-phone.png; bench-web prints
# its figures.
.PHONY: web serve-web web-screenshots bench-web
WEB := $(BUILD)/web
WEB_ONE_FILE := $(BUILD)/rnrr-password.html
WEB_TEST = RNRR_HOST_BIN=$(abspath $(HOST))/bin node --test --test-concurrency=1 web/tests/

# The page shows the project's version, which configuring the host build
# writes out of CMake.
web: setup
	@cmake -S . -B $(HOST) >/dev/null
	@sh web/build.sh $(WEB) $(WEB_ONE_FILE) "$$(cat $(HOST)/version/version.txt)"

serve-web: web
	@node web/tools/serve.mjs $(WEB)

web-screenshots: web
	@node web/tools/screenshots.mjs $(WEB) docs

bench-web: web
	@node web/tools/bench.mjs $(WEB) $(WEB_ONE_FILE)

# The fuzz targets (clang, libFuzzer, ASan, UBSan) in a build of their own.
# `make fuzz` fuzzes each for FUZZ_SECONDS; `make test` for FUZZ_TEST_SECONDS.
FUZZ_SECONDS ?= 60
FUZZ_TEST_SECONDS ?= 20
.PHONY: fuzz-build fuzz
fuzz-build: setup
	@cmake -S tests/fuzz -B $(FUZZ) -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ) -j$(JOBS)

fuzz: fuzz-build
	@cmake -S tests/fuzz -B $(FUZZ) -DRNRR_FUZZ_SECONDS=$(FUZZ_SECONDS) >/dev/null
	@status=0; ctest --test-dir $(FUZZ) --output-on-failure -j1 || status=1; \
	cat $(FUZZ)/work-*/figures.txt; exit $$status

# The window soak: 10 000 random actions on one copy (make test runs 1 000).
SOAK_ACTIONS ?= 10000
.PHONY: soak
soak: win64
	@sh tests/e2e/run-e2e.sh $(abspath $(WIN64))/wine-run $(abspath $(WIN64))/e2e-runs/soak en_US.UTF-8 \
	  $(abspath $(WIN64))/bin/rnrr-soak.exe Z:$(abspath $(WIN64))/bin/rnrr-password.exe $(SOAK_ACTIONS)
