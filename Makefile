# make run   installs what is missing, builds in Release and starts the game
# make test  installs what is missing, builds and runs the whole suite headless
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup build run test clean

setup:
	@./scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/vintalem

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
