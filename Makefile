# Front door: `make run` builds and starts Tallowick under Wine; `make test` builds and runs every test.
# Both install what they need from Debian's archive first (as root; nothing happens when present).
#
# Two builds of the same sources: $(BUILD32) holds the 32-bit deliverables (what users install),
# $(BUILD) their 64-bit twin, which runs natively under wine64 on machines whose kernel executes
# no 32-bit code (there the 32-bit tests run in an emulated x86 machine: scripts/test32.sh).

BUILD ?= build
BUILD32 ?= build32
SHOT ?= $(abspath $(BUILD))/screenshot.png
CTEST_ARGS ?=
# The 32-bit set takes the same filter (`make test CTEST_ARGS="-R app"` runs app in both); X86=0
# leaves the emulated run out.
CTEST32_ARGS ?= -L x86 $(CTEST_ARGS)
X86 ?= 1
DIST ?= dist
WINE := scripts/wine.sh $(BUILD)

FUZZ_COUNT ?= 100000
FUZZ_SEED ?= 1
FUZZ_READER ?=

.PHONY: all deps configure build test test32 soak run stop clean fuzz

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	scripts/configure.sh $(BUILD) x64

$(BUILD32)/build.ninja:
	scripts/configure.sh $(BUILD32) x86 $(BUILD)

configure: deps $(BUILD)/build.ninja $(BUILD32)/build.ninja

# The twin first: where 32-bit programs cannot run, the 32-bit build takes its generated files.
build: configure
	cmake --build $(BUILD)
	cmake --build $(BUILD32)

# The whole suite on the twin, then the set labelled x86 on the 32-bit build (CTEST32_ARGS);
# both run even when the first fails. A program left running in the prefix (by `make run`)
# would hold the names the tests create.
test: build
	$(WINE) stop
	$(WINE) prepare
	cd $(BUILD) && ctest --output-on-failure $(CTEST_ARGS); twin=$$?; cd .. && $(WINE) stop; \
	  x86=0; [ "$(X86)" = 0 ] || { scripts/test32.sh $(BUILD32) $(CTEST32_ARGS); x86=$$?; }; \
	  echo "twin (64-bit) suite: exit $$twin; 32-bit set: exit $$x86"; [ $$twin -eq 0 ] && [ $$x86 -eq 0 ]

# Every test on the 32-bit build (in the emulated machine here: one to two hours).
test32: build
	scripts/test32.sh $(BUILD32) $(CTEST_ARGS)

# The soak run: SOAK_EVENTS real key events through the hook, checked and measured (minutes long,
# so not one of the tests).
SOAK_EVENTS ?= 10000
TESTS_DIR = $(abspath $(BUILD))/tests
soak: build
	$(WINE) stop
	bash tests/e2e/soak/soak.sh $(BUILD) $(TESTS_DIR)/hotkey_target.exe \
	  $(TESTS_DIR)/hotkey_fixture.exe $(TESTS_DIR)/probe.exe $(TESTS_DIR)/soak_open_document.exe \
	  $(SOAK_EVENTS); status=$$?; $(WINE) stop; exit $$status

# The 32-bit program where this machine runs it, else the twin.
run: build
	@if scripts/test32.sh --native; then scripts/run.sh $(BUILD32) "$(SHOT)"; \
	 else scripts/run.sh $(BUILD) "$(SHOT)"; fi

stop:
	$(WINE) stop

clean:
	-$(WINE) stop
	-scripts/wine.sh $(BUILD32) stop
	rm -rf $(BUILD) $(BUILD32)

# The release packages in $(DIST)/: the 32-bit setup program (the deliverable) and the -x64 one
# of the twin, each with a zip of its files, and one SHA256SUMS over all four.
.PHONY: dist
dist: build
	cmake --build $(BUILD32) --target dist
	cmake --build $(BUILD) --target dist
	rm -rf $(DIST) && mkdir -p $(DIST)
	cp $(BUILD32)/dist/*-setup.exe $(BUILD32)/dist/*.zip $(BUILD)/dist/*-setup.exe $(BUILD)/dist/*.zip $(DIST)/
	cd $(DIST) && sha256sum *-setup.exe *.zip >SHA256SUMS && cat SHA256SUMS

# Every reader of untrusted input against FUZZ_COUNT damaged and random inputs; a crashing or
# hanging input is saved in $(BUILD)/fuzz-findings/ and fails the run.
fuzz: build
	$(WINE) stop
	$(WINE) prepare
	cd $(BUILD) && $(CURDIR)/scripts/wine.sh $(abspath $(BUILD)) run tests/fuzz.exe \
	  $(FUZZ_COUNT) $(FUZZ_SEED) $(FUZZ_READER); status=$$?; cd $(CURDIR) && $(WINE) stop; \
	  exit $$status
