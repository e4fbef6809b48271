# Front door: `make run` builds and starts Tallowick under Wine; `make test` builds and runs every test.
# Both install what they need from Debian's archive first (as root; nothing happens when present).

BUILD ?= build
SHOT ?= $(abspath $(BUILD))/screenshot.png
CTEST_ARGS ?=
WINE := scripts/wine.sh $(BUILD)

FUZZ_COUNT ?= 100000
FUZZ_SEED ?= 1
FUZZ_READER ?=

.PHONY: all deps configure build test soak run stop clean fuzz

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	scripts/configure.sh $(BUILD)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

# A program left running in the prefix (by `make run`) would hold the names the tests create.
test: build
	$(WINE) stop
	$(WINE) prepare
	cd $(BUILD) && ctest --output-on-failure $(CTEST_ARGS); status=$$?; cd .. && $(WINE) stop; exit $$status

# The soak run: SOAK_EVENTS real key events through the hook, checked and measured (minutes long,
# so not one of the tests).
SOAK_EVENTS ?= 10000
TESTS_DIR = $(abspath $(BUILD))/tests
soak: build
	$(WINE) stop
	bash tests/e2e/soak/soak.sh $(BUILD) $(TESTS_DIR)/hotkey_target.exe \
	  $(TESTS_DIR)/hotkey_fixture.exe $(TESTS_DIR)/probe.exe $(TESTS_DIR)/soak_open_document.exe \
	  $(SOAK_EVENTS); status=$$?; $(WINE) stop; exit $$status

run: build
	@scripts/run.sh $(BUILD) "$(SHOT)"

stop:
	$(WINE) stop

clean:
	-$(WINE) stop
	rm -rf $(BUILD)

# The release package in $(BUILD)/dist/: the setup program, a zip of its files, SHA256SUMS.
.PHONY: dist
dist: build
	cmake --build $(BUILD) --target dist

# Every reader of untrusted input against FUZZ_COUNT damaged and random inputs; a crashing or
# hanging input is saved in $(BUILD)/fuzz-findings/ and fails the run.
fuzz: build
	$(WINE) stop
	$(WINE) prepare
	cd $(BUILD) && $(CURDIR)/scripts/wine.sh $(abspath $(BUILD)) run bench/fuzz.exe \
	  $(FUZZ_COUNT) $(FUZZ_SEED) $(FUZZ_READER); status=$$?; cd $(CURDIR) && $(WINE) stop; \
	  exit $$status
