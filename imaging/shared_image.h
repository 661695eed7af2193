#pragma once
// Images shared by reference between graphics: assigning a bitmap hands over its image
// instead of copying its pixels, and whoever changes a shared image first takes a
// private copy of it (copy on write). An image is destroyed with its last reference.
#include <atomic>
#include <memory>
#include <mutex>
#include <utility>

namespace tapestro {

class TSharedImage {
 public:
  TSharedImage() = default;
  virtual ~TSharedImage() = default;
  TSharedImage(const TSharedImage&) = delete;
  TSharedImage& operator=(const TSharedImage&) = delete;

 private:
  template <typename T>
  friend class TImageRef;
  std::atomic<int> refCount_{0};
};

// Held while a graphic exchanges its image reference, so that the reference and the
// counts of both images change together.
std::mutex& ImageExchangeLock();

// A counted reference to a shared image.
template <typename T>
class TImageRef {
 public:
  TImageRef() = default;
  explicit TImageRef(std::unique_ptr<T> image) : image_(image.release()) { Acquire(); }
  TImageRef(const TImageRef& other) : image_(other.image_) { Acquire(); }
  TImageRef& operator=(const TImageRef& other) {
    TImageRef copy(other);
    std::swap(image_, copy.image_);
    return *this;
  }
  ~TImageRef() { Release(); }

  T* operator->() const { return image_; }
  T& operator*() const { return *image_; }
  bool Shared() const { return image_ != nullptr && image_->refCount_.load(std::memory_order_acquire) > 1; }

  // Refers to other's image from now on and lets go of the old one.
  void Exchange(const TImageRef& other) {
    std::lock_guard<std::mutex> lock(ImageExchangeLock());
    T* old = image_;
    image_ = other.image_;
    Acquire();
    if (old != nullptr && old->refCount_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete old;
  }

 private:
  void Acquire() {
    if (image_ != nullptr) image_->refCount_.fetch_add(1, std::memory_order_acq_rel);
  }
  void Release() {
    if (image_ != nullptr && image_->refCount_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete image_;
  }

  T* image_ = nullptr;
};

}  // namespace tapestro
