# make demo: installs what is missing, builds the cimport command, imports the
# headers of examples/ into a fresh repository and shows the message model.
# make test: builds everything and runs every test (what CI runs).

BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CIMPORT := $(BUILD_DIR)/tools/cimport/cimport
DEMO_REPO := $(BUILD_DIR)/demo.db

.PHONY: demo build test
MAKEFLAGS += --no-print-directory

demo: build
	rm -f $(DEMO_REPO)
	$(CIMPORT) import --repo $(DEMO_REPO) -I examples --pre-include examples/prelude/vendor_words.h examples/*.h
	$(CIMPORT) show --repo $(DEMO_REPO)

build:
	bash scripts/install-deps.sh
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j$(JOBS) --target cimport_cli

test:
	bash scripts/test.sh
